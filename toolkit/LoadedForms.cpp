#include "toolkit/LoadedForms.h"

#include <algorithm>
#include <vector>

namespace tk {
namespace {
std::vector<Form*>& List() {
    static std::vector<Form*> list;
    return list;
}
}  // namespace

int LoadedForms::Count() { return static_cast<int>(List().size()); }

Form* LoadedForms::Item(int index) {
    if (index < 0 || index >= Count()) return nullptr;
    return List()[static_cast<size_t>(index)];
}

void LoadedForms::Add(Form* form) { List().push_back(form); }

void LoadedForms::Remove(Form* form) {
    auto& list = List();
    list.erase(std::remove(list.begin(), list.end(), form), list.end());
}

}  // namespace tk
