#include "gui/browser/resultcardsscript.h"

namespace {

// How the cards are found, by structure and visible text only (class names are hashed and change):
// - The region is <main> (or role=main). A card is a list item (li or role=listitem) there that
//   holds a link to /company/<slug>/. Items inside aside, nav, header, footer, or a section whose
//   own heading says "People also viewed", are not results; nor is an item marked as promoted.
// - The results list is the list holding the most cards; on a tie, the last one before the
//   pagination.
// - A card's link and name come from its first company link with visible text (a logo link
//   without text may come first); its subtitle is the first line holding "•", its followers the
//   first line naming followers.
// - The next button is the one with data-testid "pagination-controls-next-button-visible" or the
//   label "Next"; disabled by the attribute or aria-disabled.
// The answer: {"cards":[{href,name,subtitle,followers}],"noResults","commercialLimit",
// "next":{"present","disabled"}}, cards in document order.
const char *const source = R"JS((function () {
  'use strict';
  const companyPath = /^\/company\/[^\/]+\/?/;
  const asideHeading = /people also viewed|pages people also viewed|also viewed|autres pages consult|otras p[aá]ginas|altre pagine/i;
  const promotedLine = /^(promoted|sponsored|sponsoris[ée]|promocionad[oa]|promoss[oa]|sponsorizzat[oa])$/i;
  const followersLine = /\b(followers?|abonn[ée]s|seguidores|follower)\b/i;
  const noResultsText = /no results found|aucun r[ée]sultat|no se han encontrado resultados|nessun risultato/i;

  function text(node) {
    return (node.innerText || node.textContent || '').replace(/\s+/g, ' ').trim();
  }
  function lines(node) {
    return (node.innerText || node.textContent || '').split('\n')
      .map(function (line) { return line.replace(/\s+/g, ' ').trim(); })
      .filter(function (line) { return line.length > 0; });
  }
  function isCompanyLink(anchor) {
    try {
      return companyPath.test(new URL(anchor.href, document.baseURI).pathname);
    } catch (e) {
      return false;
    }
  }
  function ownHeading(node) {
    for (const child of node.children) {
      if (/^H[1-4]$/.test(child.tagName)) return text(child);
      if ((child.tagName === 'HEADER' || child.tagName === 'DIV') && child.children.length <= 3) {
        const inner = child.querySelector(':scope > h1, :scope > h2, :scope > h3, :scope > h4');
        if (inner) return text(inner);
      }
    }
    return '';
  }
  function outsideResults(node, main) {
    for (let at = node; at && at !== main; at = at.parentElement) {
      if (/^(ASIDE|NAV|HEADER|FOOTER)$/.test(at.tagName)) return true;
      const role = at.getAttribute('role');
      if (role === 'complementary' || role === 'contentinfo' || role === 'navigation') return true;
      if ((at.tagName === 'SECTION' || at.tagName === 'DIV') && asideHeading.test(ownHeading(at))) return true;
    }
    return false;
  }
  function isPromoted(item) {
    if (item.querySelector('[data-promoted], [aria-label*="romoted"]')) return true;
    return lines(item).some(function (line) { return promotedLine.test(line); });
  }
  function nextButton() {
    const marked = document.querySelector('[data-testid="pagination-controls-next-button-visible"]') ||
      document.querySelector('button[aria-label="Next"], a[aria-label="Next"]');
    if (marked) return marked;
    for (const button of document.querySelectorAll('button, a[role="button"]')) {
      if (/^next$/i.test(text(button))) return button;
    }
    return null;
  }

  const main = document.querySelector('main') || document.querySelector('[role="main"]') || document.body;
  const answer = { cards: [], noResults: false, commercialLimit: false, next: { present: false, disabled: false } };
  if (!main) return JSON.stringify(answer);

  const lists = new Map();
  // The selector narrows thousands of anchors to the few that may link a company, in native code.
  for (const anchor of main.querySelectorAll('a[href*="/company/"]')) {
    if (!isCompanyLink(anchor)) continue;
    const item = anchor.closest('li, [role="listitem"]');
    if (!item || !main.contains(item)) continue;
    const list = item.parentElement ? item.parentElement.closest('ul, ol, [role="list"]') || item.parentElement : null;
    if (!list) continue;
    if (!lists.has(list)) lists.set(list, []);
    const items = lists.get(list);
    if (items[items.length - 1] !== item && items.indexOf(item) < 0) items.push(item);
  }

  const next = nextButton();
  let best = null;
  let bestItems = [];
  for (const [list, items] of lists) {
    if (outsideResults(list, main)) continue;
    const cards = items.filter(function (item) { return !isPromoted(item); });
    const beforeNext = !next || (list.compareDocumentPosition(next) & Node.DOCUMENT_POSITION_FOLLOWING);
    if (cards.length > bestItems.length || (cards.length === bestItems.length && cards.length > 0 && beforeNext)) {
      best = list;
      bestItems = cards;
    }
  }
  for (const item of bestItems) {
    const links = Array.from(item.querySelectorAll('a[href*="/company/"]')).filter(isCompanyLink);
    const named = links.find(function (anchor) { return text(anchor).length > 0; });
    const link = named || links[0];
    const itemLines = lines(item);
    const name = named ? text(named) : '';
    answer.cards.push({
      href: link.href,
      name: name,
      subtitle: itemLines.find(function (line) { return line !== name && line.indexOf('\u2022') >= 0; }) || '',
      followers: itemLines.find(function (line) { return line !== name && followersLine.test(line); }) || ''
    });
  }
  // A page that says it has nothing, or that searching is over, shows no cards: its text is read
  // only then, and as plain content, so no layout is forced.
  if (answer.cards.length === 0) {
    const mainText = main.textContent || '';
    answer.noResults = noResultsText.test(mainText);
    answer.commercialLimit = /commercial use limit/i.test(mainText);
  }
  if (next) {
    answer.next.present = true;
    answer.next.disabled = !!next.disabled || next.hasAttribute('disabled') ||
      next.getAttribute('aria-disabled') === 'true';
  }
  return JSON.stringify(answer);
})())JS";

} // namespace

QString ResultCardsScript::Source() {
    return QString::fromUtf8(source);
}
