#include "platform/text_codec.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace chenglan {

namespace {
// Converters are costly to open, and every keystroke crosses here several times.
QStringEncoder& encoder()
{
    thread_local QStringEncoder gb18030("GB18030", QStringConverter::Flag::Stateless);
    return gb18030;
}

QStringDecoder& decoder()
{
    thread_local QStringDecoder gb18030("GB18030", QStringConverter::Flag::Stateless);
    return gb18030;
}
} // namespace

Text toText(QStringView unicode)
{
    const QByteArray bytes = encoder().encode(unicode);
    return Text(bytes.constData(), static_cast<size_t>(bytes.size()));
}

QString fromText(std::string_view text)
{
    return decoder().decode(QByteArrayView(text.data(), static_cast<qsizetype>(text.size())));
}

Text textFromUtf8(std::string_view utf8)
{
    return toText(QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())));
}

} // namespace chenglan
