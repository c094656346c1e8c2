#include "TextFile.h"

#include "AnsiText.h"

#include <QSaveFile>

QByteArray EncodeTextLines(const QStringList& lines, TextFileEncoding encoding)
{
    QString text;
    for (const QString& line : lines) {
        text += line;
        text += QLatin1String("\r\n");
    }
    if (encoding == TextFileEncoding::Ansi)
        return EncodeAnsi(text);
    return QByteArray("\xEF\xBB\xBF") + text.toUtf8();
}

bool SaveFileAtomically(const QString& path, const QByteArray& bytes, QString* error)
{
    QSaveFile file(path);
    // Unbuffered, so a short write (disk full) shows up here and not as a silent short flush.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        if (error)
            *error = QStringLiteral("Cannot create file \"%1\". %2").arg(path, file.errorString());
        return false;
    }
    if (file.write(bytes) != bytes.size()) {
        if (error)
            *error = QStringLiteral("Cannot write file \"%1\". %2").arg(path, file.errorString());
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) {
        if (error)
            *error = QStringLiteral("Cannot save file \"%1\". %2").arg(path, file.errorString());
        return false;
    }
    return true;
}

bool SaveTextFile(const QString& path, const QStringList& lines, TextFileEncoding encoding, QString* error)
{
    return SaveFileAtomically(path, EncodeTextLines(lines, encoding), error);
}

QStringList SplitLines(const QString& text)
{
    QStringList lines;
    qsizetype start = 0;
    const qsizetype n = text.size();
    qsizetype i = 0;
    while (i < n) {
        const QChar c = text[i];
        if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
            lines.append(text.mid(start, i - start));
            if (c == QLatin1Char('\r') && i + 1 < n && text[i + 1] == QLatin1Char('\n'))
                ++i;
            ++i;
            start = i;
        } else {
            ++i;
        }
    }
    if (start < n)
        lines.append(text.mid(start));
    return lines;
}
