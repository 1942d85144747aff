#include "Tervanix/runtime/Objects.h"

#include "Tervanix/runtime/MessageText.h"

namespace tervanix::rt {

void RaiseMissingObject(const char* name) {
    MessageText<> text;
    text << name << " refers to no object; pass a variable that holds one";
    Raise(ErrorKind::MissingObject, text.c_str());
}

}  // namespace tervanix::rt
