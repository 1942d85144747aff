' CI's check of the installed Windows component (scripts/ci/windows-package.sh): every
' class is created through its ProgID and its versioned ProgID, as the installer
' registered them, and one call gives a value and one an error. Prints a summary line
' that CI requires, since cscript under wine says nothing on a script error.
Option Explicit
Dim passed, failed, names, name, o, u, level
passed = 0
failed = 0

Sub Check(what, ok)
    If ok Then
        passed = passed + 1
    Else
        failed = failed + 1
        WScript.Echo "FAILED: " & what
    End If
End Sub

Function Created(progId)
    On Error Resume Next
    Set o = Nothing
    Set o = CreateObject(progId)
    Created = (Err.Number = 0) And IsObject(o)
    If Err.Number <> 0 Then WScript.Echo progId & ": " & Err.Description & " (" & Err.Number & ")"
    On Error GoTo 0
End Function

names = Array("CInterpolation", "CSort", "cGenUtil", "cGeom", "cMatrix", "cMatrix2", "cMatrixOps", "cInterp2")
For Each name In names
    Check "CreateObject Tervanix." & name, Created("Tervanix." & name)
    Check "CreateObject Tervanix." & name & ".1", Created("Tervanix." & name & ".1")
Next

Set u = CreateObject("Tervanix.cGenUtil")
level = u.LogDBSum(85, 82)
Check "LogDBSum(85, 82) = 86.76434862436486", Abs(level - 86.76434862436486) < 1E-12
On Error Resume Next
u.Log10 0
Check "Log10(0) raises an error with a text", Err.Number <> 0 And Len(Err.Description) > 0
On Error GoTo 0

WScript.Echo "installed component: " & passed & " passed, " & failed & " failed"
