#include "samplesite/markuptext.h"

#include <QStringDecoder>
#include <QStringList>
#include <QUrl>

QString HtmlEscaped(const QString &text) {
    return text.toHtmlEscaped();
}

QString QueryEncoded(const QString &value) {
    return QString::fromLatin1(QUrl::toPercentEncoding(value));
}

QString DecodedQueryValue(const std::string &bytes) {
    const QByteArray raw = QByteArray::fromStdString(bytes);
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = utf8.decode(raw);
    return utf8.hasError() ? QString::fromLatin1(raw) : text;
}

QString AsciiSlug(const QString &text) {
    QStringList words;
    QString word;
    for (const QChar c : text.normalized(QString::NormalizationForm_D)) {
        if (c.isMark()) {
            continue;
        }
        if (c.unicode() < 128 && c.isLetterOrNumber()) {
            word += c.toLower();
        } else if (!word.isEmpty()) {
            words.append(word);
            word.clear();
        }
    }
    if (!word.isEmpty()) {
        words.append(word);
    }
    return words.join(u'-');
}
