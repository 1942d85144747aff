#include "docstrings.h"

#include <map>

namespace tervanix::py_binding {

const char* ReferenceText(const std::string& name) {
    static const std::map<std::string, const char*> texts = {
#include "docstrings.inc"
    };
    const auto text = texts.find(name);
    return text == texts.end() ? "" : text->second;
}

}  // namespace tervanix::py_binding
