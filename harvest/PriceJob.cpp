#include "harvest/PriceJob.h"

#include "harvest/DebugLog.h"
#include "harvest/TextHelpers.h"
#include "platform/Blanks.h"

#include <QLocale>

#include <charconv>
#include <cmath>
#include <cstdlib>

namespace {

const QString kPriceMark = QStringLiteral("{_price_}");

QString ReplacePlaceholders(const QString& text, const QString& brand, const QString& codePart,
                            const QString& stripSet)
{
    QString s = ReplaceAllIgnoreCase(text, QStringLiteral("{_brand_}"), brand);
    s = ReplaceAllIgnoreCase(s, QStringLiteral("{_codepart_}"), codePart);
    return ReplaceAllIgnoreCase(s, QStringLiteral("{_cleancodepart_}"), StripCodeChars(codePart, stripSet));
}

bool KeptInPath(char32_t c)
{
    // DEL is a control character: encoded too, so no address carries it raw.
    if (c < 0x20 || c > 0x7E)
        return false;
    switch (c) {
    case ' ':
    case '*':
    case '#':
    case '%':
    case '<':
    case '>':
    case '+':
    case '[':
    case ']':
        return false;
    default:
        return true;
    }
}

bool KeptInQuery(char32_t c)
{
    // Only ASCII stays raw (U+0080 and DEL are encoded), so the form body is one byte per character.
    if (c < 0x21 || c > 0x7E)
        return false;
    switch (c) {
    case '*':
    case '#':
    case '%':
    case '<':
    case '>':
    case '[':
    case ']':
        return false;
    default:
        return true;
    }
}

QString PercentEncode(const QString& text, bool (*kept)(char32_t))
{
    static const char hex[] = "0123456789ABCDEF";
    QString out;
    out.reserve(text.size());
    for (const char32_t c : text.toUcs4()) {
        if (kept(c)) {
            out += QChar(static_cast<char16_t>(c));
            continue;
        }
        for (const char byte : QString::fromUcs4(&c, 1).toUtf8()) {
            const auto b = static_cast<unsigned char>(byte);
            out += QLatin1Char('%');
            out += QLatin1Char(hex[b >> 4]);
            out += QLatin1Char(hex[b & 0xF]);
        }
    }
    return out;
}

// The host without user information and without the scheme's default port.
QString NormaliseHost(const QString& scheme, QString host)
{
    host = host.mid(host.lastIndexOf(QLatin1Char('@')) + 1);
    const qsizetype colon = host.lastIndexOf(QLatin1Char(':'));
    if (colon < 0 || colon < host.lastIndexOf(QLatin1Char(']')))
        return host;
    bool isNumber = false;
    const int port = host.mid(colon + 1).toInt(&isNumber);
    const bool isDefault = (scheme.compare(QLatin1String("http"), Qt::CaseInsensitive) == 0 && port == 80) ||
                           (scheme.compare(QLatin1String("https"), Qt::CaseInsensitive) == 0 && port == 443);
    if (host.size() == colon + 1 || (isNumber && isDefault))
        return host.left(colon);
    return host;
}

// Reads the whole text as a number with 'separator' as the only decimal separator.
std::optional<double> ConvertNumber(const QString& text, const QString& separator)
{
    const QString t = TrimBlanks(text);
    const qsizetype n = t.size();
    qsizetype i = 0;
    QByteArray sign;
    QByteArray whole;
    QByteArray fraction;
    QByteArray exponent;
    auto isDigit = [&](qsizetype k) { return k < n && t[k] >= QLatin1Char('0') && t[k] <= QLatin1Char('9'); };

    if (i < n && (t[i] == QLatin1Char('+') || t[i] == QLatin1Char('-')))
        sign = t[i++] == QLatin1Char('-') ? "-" : "";
    while (isDigit(i))
        whole += t[i++].toLatin1();
    if (!separator.isEmpty() && QStringView(t).mid(i).startsWith(separator)) {
        i += separator.size();
        while (isDigit(i))
            fraction += t[i++].toLatin1();
    }
    if (whole.isEmpty() && fraction.isEmpty())
        return std::nullopt;
    if (i < n && (t[i] == QLatin1Char('e') || t[i] == QLatin1Char('E'))) {
        ++i;
        if (i < n && (t[i] == QLatin1Char('+') || t[i] == QLatin1Char('-')))
            exponent += t[i++].toLatin1();
        const qsizetype digitsStart = i;
        while (isDigit(i))
            exponent += t[i++].toLatin1();
        if (i == digitsStart)
            return std::nullopt;
    }
    if (i != n)
        return std::nullopt;

    const QByteArray plain = sign + (whole.isEmpty() ? QByteArray("0") : whole) + '.' +
                             (fraction.isEmpty() ? QByteArray("0") : fraction) +
                             (exponent.isEmpty() ? QByteArray() : "e" + exponent);
    double value = 0;
    const auto [end, ec] = std::from_chars(plain.constData(), plain.constData() + plain.size(), value);
    if (ec != std::errc() || end != plain.constData() + plain.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

void AppendHashes(int count)
{
    for (int i = 0; i < count; ++i)
        DebugLogAppend(QString::fromLatin1(kDebugHashLine));
}

void TraceHttpRequest(const PriceJob& job, const QString& address, const QString& page)
{
    DebugLogAppend(QStringLiteral("=========== START SEND DATA ============"));
    DebugLogAppend(QStringLiteral("[INITIAL DATA] => \r") + job.S_searchpage + QLatin1Char('\r') +
                   job.S_getstartline + QLatin1Char('\r') + job.S_getprice);
    DebugLogAppend(QStringLiteral("[searchpage] => ") + address);
    DebugLogAppend(QStringLiteral("=========== END SEND DATA ============"));
    AppendHashes(1);
    DebugLogAppend(QStringLiteral("=========== START RESULT FROM [") + address +
                   QStringLiteral("] ============"));
    DebugLogAppend(QStringLiteral(" "));
    DebugLogAppend(page);
    DebugLogAppend(QStringLiteral(" "));
    DebugLogAppend(QStringLiteral("=========== END RESULT FROM [") + address +
                   QStringLiteral("] ============"));
    AppendHashes(4);
}

// 1-based position as the traces show it; 0 when absent (an empty pattern is never found).
qsizetype TracePosition(const QString& text, const QString& pattern)
{
    return pattern.isEmpty() ? 0 : text.indexOf(pattern) + 1;
}

void RunPriceJobSteps(PriceJob& job, InternetSession& session, std::chrono::milliseconds deadline)
{
    job.value = 0;
    job._err.clear();
    if (TrimBlanks(job.brand).isEmpty() || TrimBlanks(job.codepart).isEmpty()) {
        job._err = QStringLiteral("Error : brand=[") + job.brand + QStringLiteral("],code=[") + job.codepart +
                   QLatin1Char(']');
        return;
    }
    const QString address =
        BuildSearchAddress(job.S_searchpage, job.brand, job.codepart, job.S_textforzaminacode);
    const QString startLine =
        ReplacePlaceholders(job.S_getstartline, job.brand, job.codepart, job.S_textforzaminacode);
    const QString nextStartLine =
        ReplacePlaceholders(job.S_getnextstartline, job.brand, job.codepart, job.S_textforzaminacode);
    const qsizetype mark = job.S_getprice.indexOf(kPriceMark);
    const QString prefix = mark < 0 ? QString() : job.S_getprice.left(mark);
    const QString suffix = mark < 0 ? QString() : job.S_getprice.mid(mark + kPriceMark.size());

    const bool https = address.contains(QLatin1String("https://"));
    QString page;
    if (https) {
        page = FetchHttpsPage(address, session.limits());
    } else {
        HttpPageResult fetched = FetchHttpPage(session, address, deadline);
        if (!fetched.ok) {
            job._err = fetched.error;
            return;
        }
        page = std::move(fetched.page);
    }
    const bool trace = !https && DebugModeOn();
    if (trace)
        TraceHttpRequest(job, address, page);

    const qsizetype startAt = startLine.isEmpty() ? -1 : page.indexOf(startLine);
    const qsizetype prefixAt = prefix.isEmpty() ? -1 : page.indexOf(prefix);
    if (startAt < 0 || prefixAt < 0) {
        if (trace) {
            DebugLogAppend(QStringLiteral("=========== PROCESSING DATA ERROR ============"));
            DebugLogAppend(QStringLiteral("[_S_getstartline] => ") + startLine);
            DebugLogAppend(QStringLiteral("[Pos(_S_getstartline, TextSite)] => ") +
                           QString::number(TracePosition(page, startLine)));
            DebugLogAppend(QStringLiteral("[_S_getprice] => ") + job.S_getprice);
            DebugLogAppend(QStringLiteral("[to _S_getprice] => ") + prefix);
            DebugLogAppend(QStringLiteral("[Pos(S1, TextSite)] => ") +
                           QString::number(TracePosition(page, prefix)));
            DebugLogAppend(QStringLiteral("=============================================="));
            AppendHashes(4);
        }
        return;
    }

    page.remove(0, startAt);
    if (trace) {
        DebugLogAppend(QStringLiteral("=========== START PROCESSING DATA ============"));
        DebugLogAppend(QStringLiteral("[_S_getstartline] => ") + startLine);
        DebugLogAppend(QStringLiteral(" "));
        DebugLogAppend(QStringLiteral("[TextSite - 1 edit for _S_getstartline] => ") + page);
        DebugLogAppend(QStringLiteral(" "));
    }
    if (!TrimBlanks(nextStartLine).isEmpty()) {
        const qsizetype nextAt = page.indexOf(nextStartLine);
        if (nextAt >= 0) {
            page.remove(0, nextAt);
            if (trace) {
                DebugLogAppend(QStringLiteral(" "));
                DebugLogAppend(QStringLiteral("[_S_getnextstartline] => ") + nextStartLine);
                DebugLogAppend(QStringLiteral(" "));
                DebugLogAppend(QStringLiteral("[TextSite - 2 edit for _S_getnextstartline] => ") + page);
                DebugLogAppend(QStringLiteral(" "));
            }
        }
    }
    if (trace)
        DebugLogAppend(QStringLiteral(" "));
    const qsizetype priceAt = page.indexOf(prefix);
    if (priceAt >= 0)
        page.remove(0, priceAt);
    if (trace) {
        DebugLogAppend(QStringLiteral("[TextSite - 3 edit for get price] => [S1 = ") + prefix +
                       QStringLiteral("] => [S2 = ") + suffix + QStringLiteral("] => ") + page);
        DebugLogAppend(QStringLiteral(" "));
        DebugLogAppend(QStringLiteral(" "));
    }

    QString priceText = TextBetween(page, prefix, suffix);
    if (!https) {
        priceText = TrimBlanks(priceText);
        priceText.remove(QChar(0x00A0));
        if (trace) {
            DebugLogAppend(QStringLiteral("[get price] => \"") + priceText + QLatin1Char('"'));
            DebugLogAppend(QStringLiteral(" "));
        }
    }
    job.value = ParsePriceText(priceText).value_or(0.0);
    if (trace) {
        DebugLogAppend(QStringLiteral("=========== END PROCESSING DATA ============"));
        AppendHashes(4);
    }
}

} // namespace

void RunPriceJob(PriceJob& job, InternetSession& session, std::chrono::milliseconds deadline)
{
    try {
        RunPriceJobSteps(job, session, deadline);
    } catch (...) {
        // Out of memory on a hostile page, say: the job still ends with a result.
        job.value = 0;
    }
}

QString BuildSearchAddress(const QString& searchPage, const QString& brand, const QString& codePart,
                           const QString& stripSet)
{
    QString s = ReplacePlaceholders(searchPage, brand, codePart, stripSet);
    s.replace(QLatin1Char('\\'), QLatin1Char('/'));

    const qsizetype schemeEnd = s.indexOf(QLatin1String("://"));
    const QString scheme = schemeEnd < 0 ? QString() : s.left(schemeEnd);
    QString rest = schemeEnd < 0 ? s : s.mid(schemeEnd + 3);
    const qsizetype hash = rest.indexOf(QLatin1Char('#'));
    if (hash >= 0)
        rest.truncate(hash);
    const qsizetype q = rest.indexOf(QLatin1Char('?'));
    const QString query = q < 0 ? QString() : rest.mid(q + 1);
    const QString beforeQuery = q < 0 ? rest : rest.left(q);

    QString host;
    QString path = beforeQuery;
    if (schemeEnd >= 0) {
        const qsizetype slash = beforeQuery.indexOf(QLatin1Char('/'));
        host = NormaliseHost(scheme, slash < 0 ? beforeQuery : beforeQuery.left(slash));
        path = slash < 0 ? QString() : beforeQuery.mid(slash);
    }
    QString out = schemeEnd < 0 ? QString() : scheme + QStringLiteral("://") + host;
    out += PercentEncode(path, KeptInPath);
    if (!query.isEmpty())
        out += QLatin1Char('?') + PercentEncode(query, KeptInQuery);
    return out;
}

std::optional<double> ParsePriceText(const QString& text)
{
    const QString separator = QLocale().decimalPoint();
    QString commas = text;
    commas.replace(QLatin1Char('.'), QLatin1Char(','));
    if (const auto v = ConvertNumber(commas, separator))
        return v;
    QString dots = text;
    dots.replace(QLatin1Char(','), QLatin1Char('.'));
    return ConvertNumber(dots, separator);
}

QString FormatGeneralNumber(double value)
{
    if (std::isnan(value))
        return QStringLiteral("NAN");
    if (std::isinf(value))
        return value > 0 ? QStringLiteral("INF") : QStringLiteral("-INF");
    if (value == 0)
        return QStringLiteral("0");

    // 15 significant digits: d.dddddddddddddde±x, independent of the C locale.
    char buf[64];
    const auto [end, ec] = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::scientific, 14);
    const std::string_view sci(buf, ec == std::errc() ? static_cast<size_t>(end - buf) : 0);
    const size_t e = sci.find('e');
    if (e == std::string_view::npos)
        return QStringLiteral("0");
    const bool negative = sci.front() == '-';
    QString digits;
    for (const char c : sci.substr(0, e))
        if (c >= '0' && c <= '9')
            digits += QLatin1Char(c);
    const int exponent = std::atoi(std::string(sci.substr(e + 1)).c_str());
    while (digits.size() > 1 && digits.endsWith(QLatin1Char('0')))
        digits.chop(1);

    const QString separator = QLocale().decimalPoint();
    QString out = negative ? QStringLiteral("-") : QString();
    if (exponent < -5 || exponent >= 15) {
        out += digits.left(1);
        if (digits.size() > 1)
            out += separator + digits.mid(1);
        out += QLatin1String(exponent < 0 ? "E-" : "E+") + QString::number(std::abs(exponent));
    } else if (exponent >= 0) {
        const qsizetype wholeDigits = exponent + 1;
        if (digits.size() <= wholeDigits) {
            out += digits + QString(wholeDigits - digits.size(), QLatin1Char('0'));
        } else {
            out += digits.left(wholeDigits) + separator + digits.mid(wholeDigits);
        }
    } else {
        out += QLatin1Char('0') + separator + QString(-exponent - 1, QLatin1Char('0')) + digits;
    }
    return out;
}

QString ApplyPriceFactor(double value, const QString& factorText)
{
    return FormatGeneralNumber(value * ParsePriceText(factorText).value_or(1.0));
}
