// The values as hosts pass them, and back: numbers, Booleans (produced -1/0, any
// non-zero read as True), text, arrays of every shape (by value, in a Variant variable,
// fixed-size by reference, typed by reference) with their own bounds, and the
// by-reference outputs written into the caller's variable.
//
// Each read throws a BindingError whose text names no method: the caller puts
// "Class.Method: Kind: " and the parameter's name in front.
#pragma once

#include <windows.h>
#include <oleauto.h>

#include <Tervanix/Tervanix.h>

namespace tvcom {

// The VARIANT that holds the value, following by-reference Variants.
const VARIANT* Unwrap(const VARIANT* v);

double ReadDouble(const VARIANT* v);
tervanix::Long ReadLong(const VARIANT* v);
tervanix::Integer ReadInteger(const VARIANT* v);
tervanix::Boolean ReadBoolean(const VARIANT* v);
tervanix::String ReadString(const VARIANT* v);

// The caller's array: its SAFEARRAY (nullptr for an array never given bounds) and
// the type of its elements.
struct ArrayRef {
    SAFEARRAY* array = nullptr;
    VARTYPE type = VT_EMPTY;
};
// `dimensions` 0 accepts any number (CSort's data).
ArrayRef FindArray(const VARIANT* v, int dimensions);

void ReadNumbers(const ArrayRef& a, tervanix::DoubleArray& out);
void ReadNumbers(const ArrayRef& a, tervanix::DoubleArray2D& out);
void ReadNumbers(const ArrayRef& a, tervanix::DoubleArray3D& out);
// Writes each element the library changed (bit for bit) back into the caller's array.
void WriteNumbers(const ArrayRef& a, const tervanix::DoubleArray& values);
void WriteNumbers(const ArrayRef& a, const tervanix::DoubleArray2D& values);
void WriteNumbers(const ArrayRef& a, const tervanix::DoubleArray3D& values);

// A script's array object (JScript's Array: an object with `length` and elements
// named "0", "1", ...), or nullptr for anything else. Its elements are read as a 1-D
// array from 0 and written back by assignment.
IDispatch* ScriptArray(const VARIANT* v);
tervanix::Variant ReadScriptArray(IDispatch* array);  // a VariantArray from 0
// Assigns each element that differs from the array's own.
void WriteScriptArray(IDispatch* array, const tervanix::Variant& after);
// The numbers of a Variant array as a DoubleArray (an element that is no number:
// TypeMismatch naming it).
tervanix::DoubleArray NumbersOf(const tervanix::Variant& values);

// CSort's data: a 1-D array of Doubles, Longs (also from Integers and Bytes), text or
// Variants becomes the Variant array of that kind; any other single value a Variant
// holding it.
tervanix::Variant ReadData(const VARIANT* v);
void WriteData(const VARIANT* v, tervanix::Variant& data);

// A scalar library Variant as a VARIANT (the target is cleared first).
void StoreVariant(VARIANT* out, const tervanix::Variant& value);

// Writing an output into the caller's variable: a by-reference Variant receives the
// value with its own type, a typed variable the value converted to its type. An
// argument passed by value receives nothing.
void WriteDouble(VARIANT* target, double value);
void WriteInteger(VARIANT* target, tervanix::Integer value);
void WriteLong(VARIANT* target, tervanix::Long value);
void WriteBoolean(VARIANT* target, tervanix::Boolean value);
void WriteString(VARIANT* target, const tervanix::String& value);
void WriteObject(VARIANT* target, IDispatch* object);  // takes the reference
// The object a variable holds (nullptr for Nothing or Empty); false if it holds
// something else.
bool ReadObject(const VARIANT* v, IDispatch*& object);
// True when the variable holds a value of exactly this type (VT_R8, VT_I2, ...).
bool Holds(const VARIANT* v, VARTYPE type);

}  // namespace tvcom
