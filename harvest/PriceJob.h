#pragma once

#include "harvest/InternetSession.h"
#include "harvest/PageRequest.h"

#include <QString>

#include <chrono>
#include <optional>

// One supplier's price for one part: the fields a worker carries. The caller writes every input
// field before the job runs; RunPriceJob writes 'value' and '_err'.
struct PriceJob
{
    QString brand;
    QString codepart;
    QString S_searchpage;
    QString S_getstartline;
    QString S_getnextstartline;
    QString S_getprice;
    QString S_textforzaminacode;
    double value = 0;
    QString _err;
};

// Fetches the page (https addresses through the https client, every other one through the session)
// and reads the price between the template's markers. Never throws: every failure ends with value 0,
// and _err set for blank input and failed plain fetches. Traces to the debug log while it is on.
// The https client takes its limits from the session. Safe to run in many threads at once.
void RunPriceJob(PriceJob& job, InternetSession& session, std::chrono::milliseconds deadline = kPageDeadline);

// The search address of a template: placeholders replaced, then path and query percent-encoded.
QString BuildSearchAddress(const QString& searchPage, const QString& brand, const QString& codePart,
                           const QString& stripSet);

// A price or factor text as a number: first with every "." read as ",", then with every "," read
// as ".", each against the decimal separator of QLocale(). No number for anything else.
std::optional<double> ParsePriceText(const QString& text);

// The price as shown and written: value times the factor (1 when the factor text is no number),
// in general format with the locale's decimal separator.
QString ApplyPriceFactor(double value, const QString& factorText);

// General number format: up to 15 significant digits, no trailing zeros, no grouping; scientific
// (mantissa, "E", signed exponent) below 0.00001 or from 1E15 on.
QString FormatGeneralNumber(double value);
