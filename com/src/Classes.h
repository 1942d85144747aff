// The objects of the eight classes: each class file holds its member table and the
// function that creates its object.
#pragma once

#include "Dispatch.h"

namespace tvcom {

// An object that holds its library object by value (or, for the classes with a
// default instance, refers to it).
template <typename T>
class ValueObject : public Object {
public:
    ValueObject(const ClassTable& table, const IID& iid) : Object(table, iid) {}
    T value;
};

// Parameter shorthands for the member tables.
constexpr Param D(const wchar_t* name) { return {name, Arg::Double}; }
constexpr Param OutD(const wchar_t* name) { return {name, Arg::OutDouble}; }

#define TERVANIX_COM_NEW(Name, ProgId, ClsidText, Clsid, Iid) Object* New##Name();
TERVANIX_COM_CLASSES(TERVANIX_COM_NEW)
#undef TERVANIX_COM_NEW

// A new object of the class (reference count 1), or nullptr without memory.
Object* NewObject(ClassId id);

}  // namespace tvcom
