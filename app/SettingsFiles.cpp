#include "SettingsFiles.h"
