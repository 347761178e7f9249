#include "resultpages.h"

using namespace Qt::StringLiterals;

namespace ResultPages {

QString Layout1(const QString &keyword, const QList<Entry> &entries, bool hasNext) {
    QString page = u"<BODY><DIV id=results_count>" + QString::number(entries.size()) +
                   u" results</DIV><FORM><INPUT id=main-search-box name=keywords type=text value=" + keyword +
                   u" autocomplete=\"off\"></FORM><OL>";
    for (const Entry &entry : entries) {
        page += u"<LI class=\"mod result\"><H3><A href=\"" + entry.href + u"\">" + entry.name +
                u"</A></H3><P>about</P></LI>";
    }
    page += u"</OL><DIV id=nav-footer>";
    if (hasNext) {
        page += u"<A href=\"/vsearch/c?page_num=2\">Next &gt;</A>";
    }
    return page + u"</DIV></BODY>";
}

QString Layout2(const QString &keyword, const QList<Entry> &entries, bool hasNext) {
    QString page = u"<BODY><DIV id=results-summary>Showing results</DIV><INPUT name=keywords value=" + keyword +
                   u" autocomplete=\"off\"><UL>";
    for (const Entry &entry : entries) {
        page += u"<LI><DIV class=entity><H2><A href=\"" + entry.href + u"\">" + entry.name + u"</A></H2></DIV></LI>";
    }
    page += u"</UL><DIV id=nav-footer>";
    if (hasNext) {
        page += u"<A href=\"/search/results/companies/?page_num=2\">Next&nbsp;\u00bb</A>";
    }
    return page + u"</DIV></BODY>";
}

QString CompanyPage(const Company &company) {
    QString json = u"{\"included\":[{\"name\":\"x\""_s;
    if (!company.website.isEmpty()) {
        json += u",\"website\":\"" + company.website + u'"';
    }
    json += u",\"industry\":\"" + company.industry + u"\",\"headquarters\":{\"street1\":\"" + company.street +
            u"\",\"city\":\"" + company.city + u"\",\"state\":\"" + company.state + u"\",\"zip\":\"" + company.zip +
            u'"';
    if (!company.country.isEmpty()) {
        json += u",\"country\":\"" + company.country + u'"';
    }
    json += u"},\"size\":\"11-50 employees\",\"yearFounded\":1999,\"followers\":3}]}";
    return u"<html><body><code style=\"display: none\">" + json + u"</code></body></html>";
}

QString GeocodeReply() {
    return QStringLiteral(R"({
   "results" : [
      {
         "geometry" : {
            "location" : {
               "lat" : 45.76,
               "lng" : 4.83
            }
         }
      }
   ],
   "status" : "OK"
})");
}

QString NearbyReply(const QString &placeId) {
    return uR"({
   "results" : [ { "place_id" : ")"_s +
           placeId + uR"(" } ],
   "status" : "OK"
})"_s;
}

QString DetailsReply(const QString &phone, const QString &region, const QString &types) {
    return uR"({
   "result" : {
      "adr_address" : "\u003cspan class=\"region\"\u003e)"_s +
           region + uR"(\u003c/span\u003e",
      "formatted_phone_number" : ")"_s +
           phone + uR"(",
      "geometry" : {
         "location" : {
            "lat" : 45.76,
            "lng" : 4.83
         }
      },
      "types" : [ )"_s +
           types + uR"( ]
   },
   "status" : "OK"
})"_s;
}

} // namespace ResultPages
