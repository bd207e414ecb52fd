#pragma once

#include "profiles/PageTree.h"

#include <string>

// Result pages built as the browser's collect script gives them (texts of elements whose text
// is short; none for the containers of a whole page), for the detection's tests, benchmark and
// fuzz seeds: a page of `cards` listing cards with a name, a category, an address, a telephone
// link, a website and, with `links`, that many more links each; optionally buried under
// `nesting` levels of markup and mixed with advertisements.

namespace quillon::profiles::testing {

struct CardPageShape {
  int cards = 200;
  int links = 0;         // extra links in each card ("Photos 1", ...)
  int nesting = 0;       // levels of div around the list
  bool adsOnly = false;  // every card is a sponsored box
  int filler = 0;        // elements of navigation and text before the list
};

class CardPageBuilder {
 public:
  explicit CardPageBuilder(CardPageShape shape) : m_shape(shape) {}

  PageTree build() {
    m_tree = {};
    m_tree.url = "https://www.guia.example/buscar?q=fontaneros";
    m_tree.language = "es-ES";
    const int html = add(-1, "html", {}, {}, "");
    const int body = add(html, "body", {}, {}, "");
    const int nav = add(body, "nav", {"menu"}, {}, "");
    for (int i = 0; i < m_shape.filler; ++i) {
      add(nav, "a", {"menu__link"}, {{"href", "https://www.guia.example/c/" + std::to_string(i)}},
          "Categoría " + std::to_string(i));
    }
    int list = add(body, "main", {"results"}, {}, "");
    for (int i = 0; i < m_shape.nesting; ++i) list = add(list, "div", {}, {}, "");
    list = add(list, "ol", {"results__list"}, {}, "");
    for (int card = 0; card < m_shape.cards; ++card) addCard(list, card);
    PageTree tree = std::move(m_tree);
    return decodePageTree(encodePageTree(tree));
  }

 private:
  int add(int parent, std::string tag, std::vector<std::string> classes,
          std::vector<std::pair<std::string, std::string>> attributes, std::string text) {
    TreeElement element;
    element.parent = parent;
    element.tag = std::move(tag);
    element.classes = std::move(classes);
    element.attributes = std::move(attributes);
    element.text = std::move(text);
    m_tree.elements.push_back(std::move(element));
    return static_cast<int>(m_tree.elements.size()) - 1;
  }

  void addCard(int list, int card) {
    const std::string n = std::to_string(card);
    const std::string line = std::to_string(100 + card % 900);
    const std::string phone = "91 " + line + " " + std::to_string(10 + card % 90) + " 34";
    std::vector<std::string> classes = {"card", "css-1x9t8kq"};
    if (m_shape.adsOnly) classes.push_back("card--sponsored");
    const int item = add(list, "li", classes, {{"data-position", n}}, "");
    if (m_shape.adsOnly) add(item, "span", {"badge"}, {}, "Patrocinado");
    const int head = add(item, "h2", {"card__title"}, {}, "Fontanería Ejemplo " + n);
    add(head, "a", {}, {{"href", "https://www.guia.example/ficha/" + n}},
        "Fontanería Ejemplo " + n);
    add(item, "p", {"card__category"}, {}, "Fontaneros");
    add(item, "p", {"card__address"}, {},
        "Calle Mayor " + std::to_string(1 + card % 120) + ", 280" + std::to_string(10 + card % 60) +
            " Madrid");
    add(item, "a", {"card__phone"}, {{"href", "tel:+3491" + line + "1234"}}, phone);
    add(item, "a", {"card__web"}, {{"href", "https://fontaneria" + n + ".example.es/"}},
        "Sitio web");
    for (int link = 0; link < m_shape.links; ++link) {
      add(item, "a", {"card__photo"},
          {{"href", "https://www.guia.example/fotos/" + n + "/" + std::to_string(link)}},
          "Foto " + std::to_string(link));
    }
  }

  CardPageShape m_shape;
  PageTree m_tree;
};

inline PageTree cardPage(CardPageShape shape) { return CardPageBuilder(shape).build(); }

}  // namespace quillon::profiles::testing
