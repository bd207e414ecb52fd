#include "webengine/PageDataScript.h"

#include <string_view>

namespace quillon::webengine {
namespace {

// Lone surrogates become U+FFFD: JSON readers refuse them. HTML elements only, as the core's
// HTML reader; an item's text value is textContent, a link's text its innerText (collapsed,
// since layout decides its line breaks).
constexpr std::u16string_view kScript =
    uR"js((() => {
  const d = document;
  const html = 'http://www.w3.org/1999/xhtml';
  const spaces = /[\t\n\f\r ]+/g;
  const edges = /^[\t\n\f\r ]+|[\t\n\f\r ]+$/g;
  const lone = /[\uD800-\uDBFF](?![\uDC00-\uDFFF])|(?<![\uD800-\uDBFF])[\uDC00-\uDFFF]/g;
  const text = (s) => String(s).replace(lone, '\uFFFD');
  const attr = (e, name) => text(e.getAttribute(name) || '');
  const address = (e, name) => {
    const value = e.getAttribute(name);
    if (value === null) return '';
    try { return text(new URL(value, d.baseURI).href); } catch (err) { return ''; }
  };
  const itemValue = (e, tag) => {
    switch (tag) {
      case 'meta': return attr(e, 'content');
      case 'a': case 'area': case 'link': return address(e, 'href');
      case 'img': case 'audio': case 'video': case 'source': case 'iframe': case 'embed':
      case 'track': return address(e, 'src');
      case 'object': return address(e, 'data');
      case 'data': case 'meter': return attr(e, 'value');
      case 'time': if (e.hasAttribute('datetime')) return attr(e, 'datetime'); break;
    }
    return text(e.textContent || '');
  };
  const all = Array.from(d.getElementsByTagName('*')).filter((e) => e.namespaceURI === html);
  const referenced = new Set();
  for (const e of all) {
    for (const id of (e.getAttribute('itemref') || '').split(spaces)) if (id) referenced.add(id);
  }
  const jsonLd = [], microdata = [], links = [], frames = [], scripts = [];
  const index = new Map();
  for (const e of all) {
    const tag = e.localName;
    if (tag === 'script') {
      const type = (e.getAttribute('type') || '').split(';')[0].replace(edges, '').toLowerCase();
      if (type === 'application/ld+json') jsonLd.push(text(e.textContent || ''));
    }
    const itemscope = e.hasAttribute('itemscope');
    const itemprop = e.getAttribute('itemprop');
    const id = e.getAttribute('id');
    if (itemscope || itemprop !== null || (id !== null && referenced.has(id))) {
      let p = e.parentElement;
      while (p !== null && !index.has(p)) p = p.parentElement;
      index.set(e, microdata.length);
      microdata.push([
        p === null ? -1 : index.get(p), tag, itemscope, attr(e, 'itemtype'), attr(e, 'itemprop'),
        attr(e, 'itemref'), attr(e, 'id'),
        !itemprop ? '' : itemscope ? text(e.textContent || '') : itemValue(e, tag)
      ]);
    }
    if (tag === 'iframe' && e.hasAttribute('src')) frames.push(address(e, 'src'));
    if (tag === 'script' && e.hasAttribute('src')) scripts.push(address(e, 'src'));
    if (tag === 'a' || tag === 'link') {
      links.push([
        tag, attr(e, 'rel'), address(e, 'href'),
        tag === 'a' ? text(e.innerText).replace(spaces, ' ').replace(edges, '') : '',
        attr(e, 'aria-label'), attr(e, 'title')
      ]);
    }
  }
  const root = d.documentElement;
  const language = root !== null && root.namespaceURI === html ? attr(root, 'lang') : '';
  // What tells a check for a person; a check says little, so the head of the text is enough.
  const shown = d.body ? text(d.body.innerText || '').slice(0, 20000) : '';
  return JSON.stringify({url: text(d.URL), jsonLd, microdata, links, language,
                         signs: {text: shown, frames, scripts}});
})())js";

}  // namespace

std::u16string pageDataScript() { return std::u16string(kScript); }

}  // namespace quillon::webengine
