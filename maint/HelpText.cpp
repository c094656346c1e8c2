#include "HelpText.h"

#include "platform/Error.h"
#include "platform/ShellOpen.h"
#include "platform/TextFile.h"

#include <QDir>

QStringList HelpFileLines()
{
    return {
        QStringLiteral("********CORVINEL *********"),
        QStringLiteral("Multi-threaded program to automate to getting prices of spare parts from "),
        QStringLiteral("different suppliers, which enables to determine the price without login on "),
        QStringLiteral("site to supplier, with this program you can : "),
        QStringLiteral("   ------------"),
        QStringLiteral("   1. Create table parts for various manufacturers"),
        QStringLiteral(
            "   2. Get prices for spare parts on the supplier according to the specified brands and "
            "part numbers"),
        QStringLiteral("   3. Make price comparisons specified parts for different suppliers"),
        QStringLiteral("   4. Export data in Excel-format"),
        QStringLiteral(
            "   5. Free add the site of your supplier or your store to possible to compare prices"),
        QString(),
        QStringLiteral("********************* NECESSARY PARAMETERS *************************"),
        QStringLiteral("- Installed MS Excel"),
        QStringLiteral("- Have a connection to the Internet"),
        QString(),
        QStringLiteral("*************************** SETTING *******************************"),
        QString(),
        QStringLiteral("panel [SETTING DATA]"),
        QStringLiteral("   1. Run program"),
        QStringLiteral(
            "   2. Specify the path where the files will be saved [field \"FOLDER FOR TEMP FILES\"]"),
        QStringLiteral("   3. Select necessary language for export [field \"LANGUAGE EXPORT\"]"),
        QString(),
        QStringLiteral("panel [EXPORT PRICES]"),
        QStringLiteral(
            "   1. Select your necessary supplier or make an order to add in list of your supplier or "
            "your store [field \"PRICES FROM SUPPLIER OR REGION\"]"),
        QStringLiteral(
            "   2. Specify the value to which you want to multiply for all prices [field \"VALUE FOR "
            "MULTIPLYING THE PRICE\"]"),
        QStringLiteral("   3. Specify the number of threads that will determine the price [field \"NUMBER OF "
                       "THREADS FOR EXPORT\"]."),
        QString(),
        QStringLiteral("   P.S. do not specify a large number for \"NUMBER OF THREADS FOR EXPORT\", as large "
                       "number of the flow of the site can take as DDos-attack"),
        QString(),
        QString(),
        QStringLiteral("- Select necessary brands [panel \"BRANDS\"]"),
        QStringLiteral("- If you want to specify additional product groups [panel \"TRADE GROUPS\"]"),
        QStringLiteral("- Export data (name, brand, trade number) for the specified brand in the csv-format "
                       "[panel \"PREPARATION TABLES\"]"),
        QStringLiteral("- Obtaining prices of spare parts for specified supplier in panel \"EXPORT PRICES\" "
                       "according to prepared data (which was made on panel \"PREPARATION TABLES\")"),
        QStringLiteral("- Comparing prices to specified spare part from different suppliers [panel \"COMPARE "
                       "PRICES\"]"),
        QString(),
    };
}

QString HelpFilePath(const QString& folder)
{
    return QDir::fromNativeSeparators(folder) + QStringLiteral("help.txt");
}

void WriteHelpFile(const QString& folder)
{
    QString error;
    if (!SaveTextFile(HelpFilePath(folder), HelpFileLines(), TextFileEncoding::Ansi, &error))
        throw FileError(error);
}

void ShowHelpFile(const QString& folder)
{
    WriteHelpFile(folder);
    ShellOpen(QDir::toNativeSeparators(HelpFilePath(folder)));
}
