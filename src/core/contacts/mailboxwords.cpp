#include "core/contacts/mailboxwords.h"

#include <QString>

#include <algorithm>
#include <iterator>

namespace {

constexpr QStringView roleWords[] = {
    // English
    u"info", u"information", u"sales", u"contact", u"contactus", u"support", u"office", u"hello", u"hi", u"admin",
    u"administration", u"enquiries", u"enquiry", u"inquiries", u"inquiry", u"help", u"helpdesk", u"team", u"mail",
    u"email", u"service", u"services", u"customerservice", u"customercare", u"marketing", u"press", u"media",
    u"billing", u"accounts", u"accounting", u"finance", u"hr", u"jobs", u"careers", u"orders", u"reception",
    u"webmaster", u"postmaster", u"general", u"booking", u"bookings",
    // German
    u"kontakt", u"anfrage", u"verkauf", u"buero", u"zentrale",
    // French
    u"bonjour", u"commercial", u"ventes", u"accueil", u"secretariat", u"direction", u"devis", u"recrutement", u"compta",
    // Spanish
    u"hola", u"contacto", u"ventas", u"informacion", u"atencion", u"administracion", u"pedidos", u"reservas",
    u"recepcion",
    // Italian
    u"ufficio", u"commerciale", u"vendite", u"contatti", u"amministrazione", u"segreteria", u"informazioni", u"ordini",
    u"assistenza", u"prenotazioni"};

constexpr QStringView noReplyStarts[] = {u"noreply",     u"donotreply",    u"mailerdaemon", u"nepasrepondre",
                                         u"noresponder", u"nonrispondere", u"norespond",    u"nichtantworten"};

bool IsSeparator(QChar c) {
    return c == u'.' || c == u'-' || c == u'_' || c == u'+';
}

} // namespace

bool IsRoleLocalPart(QStringView localPart) {
    const QString lower = localPart.toString().toLower();
    qsizetype end = 0;
    while (end < lower.size() && !IsSeparator(lower[end]) && !lower[end].isDigit()) {
        ++end;
    }
    const QStringView word = QStringView(lower).left(end);
    return std::find(std::begin(roleWords), std::end(roleWords), word) != std::end(roleWords);
}

bool IsNoReplyLocalPart(QStringView localPart) {
    QString squeezed;
    for (const QChar c : localPart) {
        if (!IsSeparator(c)) {
            squeezed += c.toLower();
        }
    }
    return std::any_of(std::begin(noReplyStarts), std::end(noReplyStarts),
                       [&](QStringView start) { return squeezed.startsWith(start); });
}
