' The component as VBScript sees it: conversions, by-reference outputs, arrays in the
' shapes VBScript passes, objects, the collection, errors and the reason for a False.
' The arithmetic itself is the fingerprint's (tervanix_com_client fingerprint).
' Ends with the line "vbscript: N passed, M failed"; CI requires it, with M = 0.
Option Explicit
Dim passed, failed, section
passed = 0
failed = 0

Sub Check(name, condition)
    If condition Then
        passed = passed + 1
    Else
        failed = failed + 1
        WScript.Echo "FAILED: " & section & ": " & name
    End If
End Sub

' Called right after a statement run under On Error Resume Next: it must have raised
' run-time error `number` with a description that starts with `start` (empty: any).
' (Wine's VBScript has no Execute, so each statement is written out.)
Sub Expect(name, number, start)
    Dim n, d
    n = Err.Number
    d = Err.Description
    Err.Clear
    Check name & " raises " & number & " (got " & n & ": " & d & ")", n = number And Left(d, Len(start)) = start
End Sub

Dim geom, util, ip, sorter, ops, i2, mat
section = "creation"
Set geom = CreateObject("Tervanix.cGeom")
Set util = CreateObject("Tervanix.cGenUtil")
Set ip = CreateObject("Tervanix.CInterpolation")
Set sorter = CreateObject("Tervanix.CSort")
Set ops = CreateObject("Tervanix.cMatrixOps")
Set i2 = CreateObject("Tervanix.cInterp2")
Set mat = CreateObject("Tervanix.cMatrix")
Dim versioned
Set versioned = CreateObject("Tervanix.cMatrix2.1")
Check "versioned ProgID, and the type name from the type library", TypeName(versioned) = "IcMatrix2"
On Error Resume Next: Set versioned = CreateObject("Tervanix.NoSuchClass"): Expect "an unknown class", 429, "": On Error GoTo 0

section = "names and values"
Check "PI", Abs(geom.PI - 3.14159265358979) < 1E-14
Check "any case", geom.distance2d(0, 0, 3, 4) = 5 And geom.DISTANCE2D(0, 0, 3, 4) = 5
Check "Integer, Long, Boolean and Double arguments", geom.Distance2D(CInt(0), CLng(0), True, 0.5 + 0.5) = Sqr(2)
Check "True is -1", CInt(geom.InLine2D(0, 0, 1, 1, 2, 2, 0.001)) = -1
Check "False is 0", CInt(util.IsEqualAbs(1, 2, 0.5)) = 0
Check "Boolean type", TypeName(util.IsEqualAbs(1, 1, 0)) = "Boolean"
Check "any non-zero is True", i2.Interp2D(Array(0), Array(0), 7, 1, Empty) = False  ' converted, then the table is refused
Check "a Double result", TypeName(util.Min(1, 2)) = "Double"
On Error Resume Next: geom.Distance2D 1, 2, "3", 4: Expect "text for a number", 13, "cGeom.Distance2D: TypeMismatch: x2 ": On Error GoTo 0
On Error Resume Next: geom.Distance2D 1, 2, Empty, 4: Expect "Empty for a number", 13, "cGeom.Distance2D: TypeMismatch: x2 is Empty": On Error GoTo 0
On Error Resume Next: geom.Distance2D 1, 2, Null, 4: Expect "Null for a number", 13, "cGeom.Distance2D: TypeMismatch: x2 is Null": On Error GoTo 0
On Error Resume Next: geom.Distance2D 1, Array(1), 3, 4: Expect "an array for a number", 13, "cGeom.Distance2D: TypeMismatch: y1 is an array": On Error GoTo 0
On Error Resume Next: geom.Distance2D geom, 2, 3, 4: Expect "an object for a number", 13, "cGeom.Distance2D: TypeMismatch: x1": On Error GoTo 0
On Error Resume Next: geom.Distance2D 1, 2, 3, 4, 5: Expect "too many arguments", 450, "cGeom.Distance2D: WrongNumberOfArguments": On Error GoTo 0
On Error Resume Next: geom.Distance2D 1, 2, 3: Expect "too few arguments", 449, "cGeom.Distance2D: ArgumentNotOptional: y2 is missing": On Error GoTo 0
On Error Resume Next: geom.Distance2D 1, , 3, 4: Expect "an omitted argument", 449, "cGeom.Distance2D: ArgumentNotOptional: y1": On Error GoTo 0
On Error Resume Next: geom.Distance4D 1, 2: Expect "a name that does not exist", 438, "": On Error GoTo 0
On Error Resume Next: Dim s: util.IntToBin 40000, s: Expect "an Integer out of range", 6, "cGenUtil.IntToBin: OverflowError: nInt": On Error GoTo 0
Dim bits
Check "IntToBin", util.IntToBin(5, bits) And bits = "0000000000000101"
Dim back
Check "BinToInt", util.BinToInt("1111111111111111", back) And back = -1 And TypeName(back) = "Integer"
Check "LongToBin", util.LongToBin(-2147483647 - 1, bits) And Len(bits) = 32 And Left(bits, 2) = "10"
Check "BinToLong", util.BinToLong(bits, back) And back = -2147483647 - 1 And TypeName(back) = "Long"

section = "outputs"
Dim m, b
Check "Line2D", geom.Line2D(1, 2, 3, 6, m, b) And m = 2 And b = 0 And TypeName(m) = "Double"
Check "Line2D False leaves the outputs", geom.Line2D(1, 2, 1, 6, m, b) = False And m = 2 And b = 0
Check "the reason for the False", InStr(geom.LastFalseReason, "cGeom.Line2D") = 1 And geom.LastFalseCode = 10
Dim fresh1, fresh2
Check "an Empty variable receives the output", geom.Line2D(0, 0, 1, 0, fresh1, fresh2) And TypeName(fresh1) = "Double" And fresh1 = 0
m = 0
b = 0
On Error Resume Next: geom.Line2D 1E300, 0, 1.5E300, 1E308, m, b: Expect "an error after an output was written", 11, "cGeom.Line2D: FloatingPointFault: ": On Error GoTo 0
Check "the slope written before the error", m > 1.99E8 And m < 2.01E8
Check "the faulting intercept written", b < -1E308
Dim y3
y3 = 42
Check "an output of a call by value stays", ip.LinearExtrapolation1Way(0, 0, 1, 2, 3, (y3)) And y3 = 42
Dim vi, vj, vk
geom.CrossProduct 1, 0, 0, 0, 1, 0, vi, vj, vk
Check "a Sub's outputs", vi = 0 And vj = 0 And vk = 1
Dim n1, n2, f, outside
Check "Integer and Boolean outputs", ip.InterpolationIndices(2.5, Array(1, 2, 3), 1, n1, n2, f, outside) And n1 = 1 And n2 = 2 And f = 0.5 And outside = False And TypeName(n1) = "Integer"

section = "arrays"
Dim xs, ys, r
xs = Array(1, 3, 2)
ys = Array(10, 30, 20)
Check "a lookup through Variant arrays", ip.InterpolationOf1DArray(2.5, xs, ys, 1, r) And r = 25
Check "the table sorted in the caller's arrays", xs(0) = 1 And xs(1) = 2 And xs(2) = 3 And ys(0) = 10 And ys(2) = 30
Check "elements that did not move keep their type", TypeName(xs(0)) = "Integer"
Check "elements that moved are Doubles", TypeName(xs(1)) = "Double"
Check "arrays passed by value", ip.InterpolationOf1DArray(2.5, Array(3, 1, 2), Array(30, 10, 20), 1, r) And r = 25
Dim fx(2), fy(2)
fx(0) = 2: fx(1) = 0: fx(2) = 1
fy(0) = 4: fy(1) = 0: fy(2) = 2
Check "fixed-size arrays", ip.InterpolationOf1DArray(0.5, fx, fy, 1, r) And r = 1 And fx(0) = 0 And fy(2) = 4
Dim xy
xy = Array(3, 1, 2)
' One variable is one array for the library, as in C++: the pair sort of an array
' with itself leaves it as it was, and the lookup refuses the unsorted table.
Check "one array as X and Y", ip.InterpolationOf1DArray(2.5, xy, xy, 1, r) = False And xy(0) = 3 And ip.LastFalseCode = 5
Dim never()
On Error Resume Next: ip.InterpolationOf1DArray 1, never, never, 1, r: Expect "an array never given bounds", 9, "CInterpolation.InterpolationOf1DArray: SubscriptOutOfRange: ": On Error GoTo 0
On Error Resume Next: ip.InterpolationOf1DArray 1, Array(1, "a"), Array(1, 2), 1, r: Expect "text in an array of numbers", 13, "CInterpolation.InterpolationOf1DArray: TypeMismatch: dXArray: element (1) holds text": On Error GoTo 0
Dim grid(1, 2), gi, gj
For gi = 0 To 1
    For gj = 0 To 2
        grid(gi, gj) = 10 * gi + gj
    Next
Next
On Error Resume Next: ip.InterpolationOf1DArray 1, grid, Array(1, 2), 1, r: Expect "a 2-D array for a 1-D one", 13, "CInterpolation.InterpolationOf1DArray: TypeMismatch: dXArray has 2 dimension(s)": On Error GoTo 0
On Error Resume Next: i2.Interp3D Array(1, 2), Array(1, 2), Array(1, 2), True, 1, 1, r: Expect "a 1-D array for a 2-D one", 13, "cInterp2.Interp3D: TypeMismatch: ZValues has 1 dimension(s)": On Error GoTo 0
Check "a grid numbered from 0 is refused with False", i2.Interp3D(Array(1, 2), Array(1, 2, 3), grid, True, 1, 1, r) = False
Check "and the reason says why", i2.LastFalseCode = 1 And InStr(i2.LastFalseReason, "cInterp2.Interp3D") = 1
grid(1, 1) = Empty
On Error Resume Next: i2.Interp3D Array(1, 2), Array(1, 2, 3), grid, True, 1, 1, r: Expect "an Empty element", 13, "cInterp2.Interp3D: TypeMismatch: ZValues: element (1, 1) is Empty": On Error GoTo 0
Dim words
words = Array("pear", "apple", "fig")
sorter.BubbleSort1DArray words
Check "text sorted in place", words(0) = "apple" And words(1) = "fig" And words(2) = "pear"
Dim mixed
mixed = Array(3.5, CInt(1), CLng(2), Empty)
sorter.BubbleSort1DArray mixed
Check "numbers of every type sorted, each keeping its type", IsEmpty(mixed(0)) And TypeName(mixed(1)) = "Integer" And TypeName(mixed(2)) = "Long" And mixed(3) = 3.5
Dim px, py
px = Array(2, 1)
py = Array("b", "a")
sorter.BubbleSortXYPairsByX px, py
Check "pairs sorted by X", px(0) = 1 And py(0) = "a" And py(1) = "b"
On Error Resume Next: Dim t: t = Array(1, "a"): sorter.BubbleSort1DArray t: Expect "a number beside text", 13, "CSort.BubbleSort1DArray: TypeMismatch: ": On Error GoTo 0

section = "matrices"
Dim a2, bm, ab, inv
Set a2 = CreateObject("Tervanix.cMatrix2")
a2.NumRows = 2
a2.NumCols = 2
a2.PutData 1, 1, 4
a2.PutData 1, 2, 7
a2.PutData 2, 1, 2
a2.PutData 2, 2, 6
Check "properties", a2.NumRows = 2 And a2.NumCols = 2 And a2.GetData(1, 2) = 7
Check "outside the matrix reads 0", a2.GetData(5, 5) = 0
On Error Resume Next: a2.NumRows = 3E10: Expect "a size beyond Long", 6, "cMatrix2.NumRows: OverflowError: the value": On Error GoTo 0
Check "MatrixInvert into an Empty variable", ops.MatrixInvert(a2, inv) And IsObject(inv)
Check "a new cMatrix2 object", TypeName(inv) <> "" And inv.NumRows = 2
Check "MatrixMult of a matrix and its inverse", ops.MatrixMult(a2, inv, ab) And Abs(ab.GetData(1, 1) - 1) < 1E-12 And Abs(ab.GetData(1, 2)) < 1E-12
Set bm = ab
Check "a variable that held a matrix receives the new one", ops.MatrixTrans(a2, ab) And ab.GetData(1, 2) = 2 And bm.GetData(2, 2) <> 6
On Error Resume Next: ops.MatrixTrans Nothing, ab: Expect "Nothing for a matrix", 424, "cMatrixOps.MatrixTrans: MissingObject: ": On Error GoTo 0
On Error Resume Next: ops.MatrixTrans geom, ab: Expect "a foreign object for a matrix", 13, "cMatrixOps.MatrixTrans: TypeMismatch: Original is not a Tervanix.cMatrix2": On Error GoTo 0
Dim turned
Set turned = CreateObject("Tervanix.cMatrix2")
turned.NumRows = 2
turned.NumCols = 3
turned.PutData 1, 3, 5
' The output variable refers to a new matrix first; being also the input, the input
' is then that new 1 x 1 matrix (cMatrixOps.h).
Check "one variable as input and output", ops.MatrixTrans(turned, turned) And turned.NumRows = 1 And turned.NumCols = 1 And turned.GetData(1, 1) = 0
Dim square
Set square = CreateObject("Tervanix.cMatrix2")
square.NumRows = 2
square.NumCols = 3
Check "a False from cMatrixOps", ops.MatrixInvert(square, inv) = False And ops.LastFalseCode = 15

section = "collection"
Dim sol, v, count
mat.MatrixSize 2
mat.AddToMatrix 1, 1, 2
mat.AddToMatrix 2, 2, 4
mat.AddToVector 1, 2
mat.AddToVector 2, 8
Check "Calc", mat.Calc(sol)
Check "Count and Item", sol.Count = 2 And sol.Item(1) = 1 And sol.Item(2) = 2
Check "the default member", sol(2) = 2
count = 0
For Each v In sol
    count = count + 1
    Check "For Each element " & count, v = count
Next
Check "For Each visits every element", count = 2
On Error Resume Next: v = sol.Item(3): Expect "an item outside the collection", 9, "Collection.Item: SubscriptOutOfRange: item 3 ": On Error GoTo 0
mat.HelpForProgrammer
Dim texts
texts = mat.LastMessages
Check "HelpForProgrammer's texts", UBound(texts) >= 1 And InStr(texts(0), "simultaneous equations") > 0
On Error Resume Next: mat.MatrixSize 0: Expect "an error of the library", 9, "cMatrix.MatrixSize: ": On Error GoTo 0
On Error Resume Next: mat.MatrixSize 0: Check "the error's source", Err.Source = "Tervanix.cMatrix": Err.Clear: On Error GoTo 0

WScript.Echo "vbscript: " & passed & " passed, " & failed & " failed"
