#pragma once
// Fan-out of one message to every element of a list that understands it: the list is copied
// first, so elements may add or remove themselves while it runs, and elements that do not
// implement the protocol are skipped.

#include <vector>

namespace tt {

template <class Protocol, class Element, class... Params, class... Args>
void perform(const std::vector<Element*>& elements, void (Protocol::*method)(Params...), Args&&... args) {
  const std::vector<Element*> snapshot = elements;
  for (Element* element : snapshot) {
    if (auto* receiver = dynamic_cast<Protocol*>(element)) (receiver->*method)(args...);
  }
}

}  // namespace tt
