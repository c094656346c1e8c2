#pragma once

#include <QString>

// The host of site row 'index' (no scheme, no path), the same for its home page and its
// search address; empty outside 0..95.
QString SiteHost(int index);
