#include "webengine/ProfileScripts.h"

#include "profiles/CssSyntax.h"
#include "text/Utf8.h"
#include "webengine/PageDataScript.h"

#include <nlohmann/json.hpp>

namespace quillon::webengine {
namespace {

// Shared by the scripts: text without lone surrogates (JSON readers refuse them).
constexpr std::u16string_view kText =
    uR"js(const lone = /[\uD800-\uDBFF](?![\uDC00-\uDFFF])|(?<![\uD800-\uDBFF])[\uDC00-\uDFFF]/g;
  const text = (s) => String(s).replace(lone, '\uFFFD');
  const absolute = (value) => {
    try { return text(new URL(value, document.baseURI).href); } catch (err) { return text(value); }
  };
)js";

constexpr std::u16string_view kProfileData =
    uR"js(
  const d = document;
  const keys = ['name', 'activity', 'fax', 'phone', 'street', 'zip', 'city', 'province', 'web',
                'email'];
  const valueOf = (e, attribute) => {
    if (!attribute) return text(e.innerText ?? e.textContent ?? '');
    const value = e.getAttribute(attribute);
    if (value === null) return null;
    return attribute === 'href' || attribute === 'src' ? absolute(value) : text(value);
  };
  const guarded = (key, run) => {
    try { return run(); } catch (err) { throw {key, message: text((err && err.message) || err)}; }
  };
  try {
    const containers = guarded('listing', () => Array.from(d.querySelectorAll(request.listing)));
    const listings = containers.map((c) => request.fields.map((field, i) => {
      if (field === null) return null;
      const e = guarded('fields.' + keys[i], () => c.querySelector(field[0]));
      return e === null ? null : valueOf(e, field[1]);
    }));
    let next = null;
    if (request.next) {
      const e = guarded('next', () => d.querySelector(request.next));
      if (e !== null) {
        const href = e.getAttribute('href');
        next = {href: href === null ? '' : absolute(href),
                text: text(e.innerText ?? '').replace(/\s+/g, ' ').trim()};
      }
    }
    return JSON.stringify({page, listings, next});
  } catch (err) {
    if (err && err.key) return JSON.stringify({error: err});
    throw err;
  }
})js";

constexpr std::u16string_view kPageTree =
    uR"js(
  const d = document;
  const html = 'http://www.w3.org/1999/xhtml';
  const skipped = new Set(['head', 'script', 'style', 'noscript', 'template']);
  const index = new Map();
  const elements = [];
  const walk = (e, parent) => {
    for (let c = e.firstElementChild; c !== null; c = c.nextElementSibling) {
      if (c.namespaceURI !== html || skipped.has(c.localName)) continue;
      const attributes = [];
      for (const a of Array.from(c.attributes)) {
        const name = a.name.toLowerCase();
        if (name === 'class' || name === 'id' || name === 'style' || name.startsWith('on')) continue;
        let value = a.value.length > 500 ? a.value.slice(0, 500) : a.value;
        if (name === 'href' || name === 'src') value = absolute(value);
        attributes.push([text(name), text(value)]);
      }
      const hidden = c.getClientRects().length === 0;
      // A container's text is no field's; long texts are left out.
      const long = (c.textContent || '').length > 2000;
      const shown = hidden || long ? '' : text(c.innerText ?? '').replace(/\s+/g, ' ').trim();
      const at = elements.length;
      elements.push([parent, c.localName, text(c.id || ''), text(c.getAttribute('class') || ''),
                     attributes, shown, hidden]);
      walk(c, at);
    }
  };
  if (d.documentElement !== null) {
    elements.push([-1, d.documentElement.localName, '', '', [], '', false]);
    walk(d.documentElement, 0);
  }
  const root = d.documentElement;
  const canonical = d.querySelector('link[rel~="canonical" i][href]');
  return JSON.stringify({url: text(d.URL), language: text((root && root.getAttribute('lang')) || ''),
                         canonical: canonical === null ? '' : absolute(canonical.getAttribute('href')),
                         elements});
})())js";

constexpr std::u16string_view kClick =
    uR"js(
  try {
    const scopes = within ? Array.from(document.querySelectorAll(within)) : [document];
    let clicked = 0;
    for (const scope of scopes) {
      for (const e of Array.from(scope.querySelectorAll(selector))) {
        e.click();
        ++clicked;
        if (!all) return String(clicked);
      }
    }
    return String(clicked);
  } catch (err) {
    return '0';
  }
})js";

std::u16string literal(std::string_view utf8) {
  return text::utf8ToUtf16(nlohmann::json(std::string(utf8))
                               .dump(-1, ' ', false, nlohmann::json::error_handler_t::replace));
}

}  // namespace

std::u16string profileDataScript(std::string_view request) {
  std::u16string script = u"((request) => {\n  const page = ";
  script += pageDataScript();
  script += u";\n  ";
  script += kText;
  script += kProfileData;
  script += u")(";
  script += text::utf8ToUtf16(request);
  script += u")";
  return script;
}

std::u16string pageTreeScript() {
  std::u16string script = u"(() => {\n  ";
  script += kText;
  script += kPageTree;
  return script;
}

std::u16string clickScript(std::string_view selector, std::string_view within, bool all) {
  const std::string scoped =
      within.empty() ? std::string(selector) : profiles::scopedSelector(selector);
  std::u16string script = u"((selector, within, all) => {\n  ";
  script += kClick;
  script +=
      u")(" + literal(scoped) + u", " + literal(within) + u", " + (all ? u"true" : u"false") + u")";
  return script;
}

}  // namespace quillon::webengine
