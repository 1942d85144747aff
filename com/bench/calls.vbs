' The cost of one call from VBScript: cGenUtil.Min and cGeom.Line2D (two outputs by
' reference), each timed over a loop, beside the loop's own time. A measurement, not
' a test. Run: cscript //nologo calls.vbs (with the component registered).
Option Explicit
Dim util, geom, n, k, t0, empty0, m, b, r
Set util = CreateObject("Tervanix.cGenUtil")
Set geom = CreateObject("Tervanix.cGeom")
n = 200000
t0 = Timer
For k = 1 To n
    r = k
Next
empty0 = Timer - t0
t0 = Timer
For k = 1 To n
    r = util.Min(2.5, 1.5)
Next
WScript.Echo "vbscript Min: " & FormatNumber((Timer - t0) * 1E6 / n, 3) & " us per loop step (the loop alone: " & FormatNumber(empty0 * 1E6 / n, 3) & " us)"
t0 = Timer
For k = 1 To n
    r = geom.Line2D(1, 2, 3, 6, m, b)
Next
WScript.Echo "vbscript Line2D: " & FormatNumber((Timer - t0) * 1E6 / n, 3) & " us per loop step"
