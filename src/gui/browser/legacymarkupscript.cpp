#include "gui/browser/legacymarkupscript.h"

namespace {

// The legacy serialisation:
// - Element names of HTML elements in upper case ("<H2>", "</A>"); other namespaces (SVG, MathML)
//   keep the DOM's tagName.
// - Attribute names as in the DOM, in source order. A value is written unquoted when the attribute
//   is one HTML 4 defines and the value is non-empty and made only of ASCII letters, digits, "-",
//   "_" and "."; everything else is double-quoted with &, " and U+00A0 escaped. So id=results-summary
//   and name=keywords stay bare while href="/a/b", autocomplete="off" and data-* keep their quotes,
//   as the legacy engine wrote attributes it did not know.
// - Text escapes &, <, > and U+00A0 (as &amp; &lt; &gt; &nbsp;); the text of SCRIPT, STYLE, XMP,
//   IFRAME, NOEMBED, NOFRAMES, PLAINTEXT and NOSCRIPT stays raw.
// - Void elements (BR, IMG, INPUT, ...) get no end tag; comments are kept; TEMPLATE writes its content.
// The walk is iterative so deeply nested documents cannot exhaust the script stack.
const char *const serialiserSource = R"JS((function () {
  'use strict';
  const htmlNamespace = 'http://www.w3.org/1999/xhtml';
  const voidElements = new Set(['AREA', 'BASE', 'BASEFONT', 'BGSOUND', 'BR', 'COL', 'EMBED', 'FRAME',
    'HR', 'IMG', 'INPUT', 'KEYGEN', 'LINK', 'META', 'PARAM', 'SOURCE', 'TRACK', 'WBR']);
  const rawTextElements = new Set(['SCRIPT', 'STYLE', 'XMP', 'IFRAME', 'NOEMBED', 'NOFRAMES',
    'PLAINTEXT', 'NOSCRIPT']);
  const classicAttributes = new Set(['abbr', 'accept', 'accept-charset', 'accesskey', 'action',
    'align', 'alink', 'alt', 'archive', 'axis', 'background', 'bgcolor', 'border', 'cellpadding',
    'cellspacing', 'char', 'charoff', 'charset', 'checked', 'cite', 'class', 'classid', 'clear',
    'code', 'codebase', 'codetype', 'color', 'cols', 'colspan', 'compact', 'content', 'coords',
    'data', 'datetime', 'declare', 'defer', 'dir', 'disabled', 'enctype', 'face', 'for', 'frame',
    'frameborder', 'headers', 'height', 'href', 'hreflang', 'hspace', 'http-equiv', 'id', 'ismap',
    'label', 'lang', 'language', 'link', 'longdesc', 'marginheight', 'marginwidth', 'maxlength',
    'media', 'method', 'multiple', 'name', 'nohref', 'noresize', 'noshade', 'nowrap', 'object',
    'profile', 'prompt', 'readonly', 'rel', 'rev', 'rows', 'rowspan', 'rules', 'scheme', 'scope',
    'scrolling', 'selected', 'shape', 'size', 'span', 'src', 'standby', 'start', 'style', 'summary',
    'tabindex', 'target', 'text', 'title', 'type', 'usemap', 'valign', 'value', 'valuetype',
    'version', 'vlink', 'vspace', 'width']);
  const simpleValue = /^[A-Za-z0-9._-]+$/;
  const textEscapes = { '&': '&amp;', '<': '&lt;', '>': '&gt;', '\u00a0': '&nbsp;' };
  const attributeEscapes = { '&': '&amp;', '"': '&quot;', '\u00a0': '&nbsp;' };

  function escapeText(text) {
    return text.replace(/[&<>\u00a0]/g, (c) => textEscapes[c]);
  }
  function escapeAttribute(value) {
    return value.replace(/[&"\u00a0]/g, (c) => attributeEscapes[c]);
  }
  function elementName(element) {
    return element.namespaceURI === htmlNamespace ? element.localName.toUpperCase() : element.tagName;
  }
  function attribute(attr) {
    if (classicAttributes.has(attr.name) && simpleValue.test(attr.value)) {
      return ' ' + attr.name + '=' + attr.value;
    }
    return ' ' + attr.name + '="' + escapeAttribute(attr.value) + '"';
  }
  function childrenOf(element) {
    return element.localName === 'template' && element.content ? element.content.childNodes
                                                                  : element.childNodes;
  }
  function pushChildren(stack, element, raw) {
    const children = childrenOf(element);
    for (let i = children.length - 1; i >= 0; --i) {
      stack.push({ node: children[i], raw: raw });
    }
  }
  function serialise(start, withStartNode) {
    const out = [];
    const stack = [];
    if (withStartNode) {
      stack.push({ node: start, raw: false });
    } else {
      pushChildren(stack, start, rawTextElements.has(elementName(start)));
    }
    while (stack.length > 0) {
      const item = stack.pop();
      if (item.endTag !== undefined) {
        out.push('</' + item.endTag + '>');
        continue;
      }
      const node = item.node;
      if (node.nodeType === Node.ELEMENT_NODE) {
        const name = elementName(node);
        let tag = '<' + name;
        for (const attr of node.attributes) {
          tag += attribute(attr);
        }
        out.push(tag + '>');
        if (node.namespaceURI === htmlNamespace && voidElements.has(name)) {
          continue;
        }
        stack.push({ endTag: name });
        pushChildren(stack, node, rawTextElements.has(name));
      } else if (node.nodeType === Node.TEXT_NODE) {
        out.push(item.raw ? node.data : escapeText(node.data));
      } else if (node.nodeType === Node.CDATA_SECTION_NODE) {
        out.push('<![CDATA[' + node.data + ']]>');
      } else if (node.nodeType === Node.COMMENT_NODE) {
        out.push('<!--' + node.data + '-->');
      }
    }
    return out.join('');
  }

  return {
    bodyOuterHtml: function () {
      const body = document.body;
      return body ? { markup: serialise(body, true) } : { error: 'no-body' };
    },
    linkCount: function () {
      return document.links.length;
    },
    link: function (index) {
      const anchor = document.links[index];
      return anchor ? { innerHtml: serialise(anchor, false), href: String(anchor.href) } : null;
    },
    click: function (index) {
      const anchor = document.links[index];
      if (!anchor) {
        return false;
      }
      anchor.click();
      return true;
    },
  };
})())JS";

QString Source() {
    return QString::fromUtf8(serialiserSource);
}

} // namespace

namespace LegacyMarkupScript {

QString Installer() {
    return u"globalThis.__tarnwickLegacy = " % Source() % u';';
}

QString Call(const QString &method, const QString &arguments) {
    return u"(globalThis.__tarnwickLegacy || (globalThis.__tarnwickLegacy = " % Source() % u"))." % method % u'(' %
           arguments % u')';
}

} // namespace LegacyMarkupScript
