#include "gui/browser/overviewscript.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

// For every dt inside a dl, in document order:
// - label: the dt's visible text, white space collapsed and trimmed;
// - text: the same of the first dd among the dt's following siblings (a second dd, such as a
//   member count under the size, is not read);
// - href: the absolute address of that dd's first link with one.
// The answer is JSON text, so no structure has to cross the engine's value conversion.
const char *const overviewSource = R"JS((function () {
  'use strict';
  function visibleText(element) {
    return element ? String(element.innerText || '').replace(/\s+/g, ' ').trim() : '';
  }
  const entries = [];
  for (const term of document.querySelectorAll('dl dt')) {
    let detail = term.nextElementSibling;
    while (detail && detail.localName !== 'dd') {
      detail = detail.nextElementSibling;
    }
    const link = detail ? detail.querySelector('a[href]') : null;
    entries.push({ label: visibleText(term), text: visibleText(detail), href: link ? String(link.href) : '' });
  }
  return JSON.stringify(entries);
})())JS";

} // namespace

namespace OverviewScript {

QString Source() {
    return QString::fromUtf8(overviewSource);
}

QList<OverviewEntry> Entries(const QVariant &answer) {
    QList<OverviewEntry> entries;
    if (answer.typeId() != QMetaType::QString) {
        return entries;
    }
    const QJsonArray items = QJsonDocument::fromJson(answer.toString().toUtf8()).array();
    for (const QJsonValue &item : items) {
        const QJsonObject entry = item.toObject();
        entries.append({entry.value(QLatin1String("label")).toString(), entry.value(QLatin1String("text")).toString(),
                        entry.value(QLatin1String("href")).toString()});
    }
    return entries;
}

} // namespace OverviewScript
