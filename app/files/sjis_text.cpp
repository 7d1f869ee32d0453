#include "app/files/sjis_text.h"

#include <QFile>
#include <QStringDecoder>
#include <QStringEncoder>

namespace korvel::sjis {

namespace {

constexpr const char* kEncoding = "Shift_JIS";

bool isLeadByte(unsigned char byte)
{
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

// Length of the longest prefix of `bytes` of at most `width` bytes that ends on
// a character boundary.
int boundaryAtOrBefore(const QByteArray& bytes, int width)
{
    int pos = 0;
    while (pos < bytes.size()) {
        const int step = isLeadByte(static_cast<unsigned char>(bytes[pos])) ? 2 : 1;
        if (pos + step > width) {
            break;
        }
        pos += step;
    }
    return pos < bytes.size() ? pos : static_cast<int>(bytes.size());
}

}  // namespace

QString decode(QByteArrayView bytes)
{
    QStringDecoder decoder(kEncoding);
    return decoder.decode(bytes);
}

QByteArray encode(const QString& text)
{
    QStringEncoder encoder(kEncoding);
    QByteArray out = encoder.encode(text);
    if (!encoder.hasError()) {
        return out;
    }
    // Some character has no Shift-JIS form: encode one code point at a time so
    // that exactly those become "?" (ICU's own substitute is a double-byte code).
    out.clear();
    for (qsizetype i = 0; i < text.size();) {
        const qsizetype len = (text[i].isHighSurrogate() && i + 1 < text.size()) ? 2 : 1;
        QStringEncoder single(kEncoding);
        const QByteArray piece = single.encode(QStringView(text).mid(i, len));
        out += single.hasError() ? QByteArray("?") : piece;
        i += len;
    }
    return out;
}

bool fits(const QString& text, int width)
{
    return encode(text).size() <= width;
}

QByteArray toField(const QString& text, int width)
{
    QByteArray bytes = encode(text);
    if (bytes.size() > width) {
        bytes.truncate(boundaryAtOrBefore(bytes, width));
    }
    bytes.append(width - bytes.size(), ' ');
    return bytes;
}

QString fromField(QByteArrayView field)
{
    return decode(field);
}

QString fromFieldTrimmed(QByteArrayView field)
{
    return trimBlanks(decode(field));
}

QString fixedText(const QString& text, int width)
{
    QString out = text.left(width);
    if (out.size() < width) {
        out.append(QString(width - out.size(), QLatin1Char(' ')));
    }
    return out;
}

QString trimBlanks(const QString& text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text[begin] == QLatin1Char(' ')) {
        ++begin;
    }
    while (end > begin && text[end - 1] == QLatin1Char(' ')) {
        --end;
    }
    return text.mid(begin, end - begin);
}

QStringList splitLines(QByteArrayView content)
{
    // Split on the bytes first: CR and LF never occur inside a Shift-JIS
    // double-byte character, so the cut is safe before decoding.
    QStringList lines;
    qsizetype start = 0;
    const qsizetype size = content.size();
    for (qsizetype i = 0; i < size; ++i) {
        if (content[i] != '\r') {
            continue;
        }
        lines.append(decode(content.sliced(start, i - start)));
        if (i + 1 < size && content[i + 1] == '\n') {
            ++i;
        }
        start = i + 1;
    }
    if (start < size) {
        lines.append(decode(content.sliced(start)));
    }
    return lines;
}

TextFile readLines(const QString& path, int maxLines)
{
    TextFile result;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        result.status = file.exists() ? ReadStatus::Unreadable : ReadStatus::Missing;
        result.error = file.errorString();
        return result;
    }
    const QByteArray content = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        result.status = ReadStatus::Unreadable;
        result.error = file.errorString();
        return result;
    }
    result.lines = splitLines(content);
    if (maxLines >= 0 && result.lines.size() > maxLines) {
        result.lines.resize(maxLines);
    }
    return result;
}

void putInt16(QByteArray& record, int offset, std::int16_t value)
{
    const auto bits = static_cast<std::uint16_t>(value);
    record[offset] = static_cast<char>(bits & 0xFF);
    record[offset + 1] = static_cast<char>(bits >> 8);
}

std::int16_t getInt16(QByteArrayView record, int offset)
{
    const auto low = static_cast<std::uint16_t>(static_cast<unsigned char>(record[offset]));
    const auto high = static_cast<std::uint16_t>(static_cast<unsigned char>(record[offset + 1]));
    return static_cast<std::int16_t>(static_cast<std::uint16_t>(low | (high << 8)));
}

}  // namespace korvel::sjis
