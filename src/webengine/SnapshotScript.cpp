#include "webengine/SnapshotScript.h"

#include <string_view>
#include <vector>

namespace quillon::webengine {
namespace {

// The part of the script after the scope. Runs in an isolated world, so page scripts
// that replace built-ins cannot change what it sees.
constexpr std::u16string_view kBody =
    uR"js(;
  const full = new Set(scope.fullTags);
  const withText = new Set(scope.text);
  const textTags = new Set(scope.textTags);
  const withInner = new Set(scope.inner);
  const withOuter = new Set(scope.outer);
  const parts = [];
  const put = (s) => { parts.push(s.length + ':', s); };
  const d = document;
  const type = String(d.contentType || '');
  const html = type === 'text/html' || type === 'application/xhtml+xml';
  const all = d.getElementsByTagName('*');
  const body = d.body;
  const n = all.length;
  let bodyStart = n;
  for (let i = 0; i < n; i++) {
    const e = all[i];
    if (e === body) bodyStart = i + 1;
    const tag = String(e.tagName).toUpperCase();
    const cls = e.getAttribute('class') || '';
    const every = scope.everything || full.has(tag);
    put(tag);
    put(cls);
    put(String(e.getAttribute('id') || ''));
    if (every || withText.has(cls) || textTags.has(tag)) {
      put(typeof e.innerText === 'string' ? e.innerText : String(e.textContent || ''));
    } else {
      parts.push('-');
    }
    if (every || withInner.has(cls)) put(e.innerHTML); else parts.push('-');
    if (every || withOuter.has(cls)) put(e.outerHTML); else parts.push('-');
    const source = tag === 'IFRAME' || tag === 'SCRIPT';
    put(tag === 'A' && typeof e.href === 'string' ? e.href
        : source && typeof e.src === 'string' ? e.src : '');
  }
  const bodyCount = body ? body.getElementsByTagName('*').length : 0;
  return [html ? 1 : 0, body ? 1 : 0, bodyStart, bodyCount, n].join(',') + ';' +
         parts.join('');
})())js";

void appendLiteral(std::u16string& out, std::u16string_view text) {
  static constexpr char16_t kHex[] = u"0123456789abcdef";
  out += u'\'';
  for (const char16_t c : text) {
    if (c >= 0x20 && c < 0x7F && c != u'\'' && c != u'\\') {
      out += c;
    } else {
      out += u"\\u";
      for (int shift = 12; shift >= 0; shift -= 4) out += kHex[(c >> shift) & 0xF];
    }
  }
  out += u'\'';
}

void appendArray(std::u16string& out, const std::vector<std::u16string>& names) {
  out += u'[';
  for (std::size_t i = 0; i < names.size(); ++i) {
    if (i > 0) out += u',';
    appendLiteral(out, names[i]);
  }
  out += u']';
}

}  // namespace

std::u16string snapshotScript(const capture::SnapshotScope& scope) {
  std::u16string script = u"(() => {\n  const scope = {everything: ";
  script += scope.everything ? u"true" : u"false";
  script += u", fullTags: ";
  appendArray(script, scope.fullTags);
  script += u", textTags: ";
  appendArray(script, scope.textTags);
  script += u", text: ";
  appendArray(script, scope.innerTextClasses);
  script += u", inner: ";
  appendArray(script, scope.innerHtmlClasses);
  script += u", outer: ";
  appendArray(script, scope.outerHtmlClasses);
  script += u"}";
  script += kBody;
  return script;
}

}  // namespace quillon::webengine
