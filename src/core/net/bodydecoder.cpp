#include "core/net/bodydecoder.h"

#include "core/util/codepage.h"

#include <QList>
#include <QStringDecoder>

QByteArray CharsetOf(const QByteArray &contentType) {
    const QList<QByteArray> parameters = contentType.split(';');
    for (qsizetype i = 1; i < parameters.size(); ++i) {
        const QByteArray parameter = parameters.at(i).trimmed();
        const qsizetype equals = parameter.indexOf('=');
        if (equals < 0 || parameter.left(equals).trimmed().toLower() != "charset") {
            continue;
        }
        QByteArray value = parameter.mid(equals + 1).trimmed();
        if (value.size() >= 2 && value.startsWith('"') && value.endsWith('"')) {
            value = value.mid(1, value.size() - 2);
        }
        return value.trimmed();
    }
    return {};
}

QString DecodeBody(const QByteArray &body, const QByteArray &contentType, bool utf8) {
    if (utf8) {
        return QString::fromUtf8(body);
    }
    const QByteArray charset = CharsetOf(contentType);
    if (!charset.isEmpty()) {
        QStringDecoder decoder(charset.constData());
        if (decoder.isValid()) {
            return decoder.decode(body);
        }
    }
    return CodePage::current().decode(body);
}
