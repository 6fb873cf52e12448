' Script client of the memory viewer control: creates it by ProgID, with no container, and drives
' its automation interface the way a VBScript host does (late binding through IDispatch).
' Prints "PASS <check>" or "FAIL <check>: <what was seen>" per check.
Option Explicit

Const SettingsKey = "HKCU\Software\Brenwick\Dralith\"
Const AppName = "TolvaneE2E"

Dim shell : Set shell = CreateObject("WScript.Shell")

Sub Check(ok, name, seen)
    If ok Then
        WScript.Echo "PASS " & name
    Else
        WScript.Echo "FAIL " & name & ": " & seen
    End If
End Sub

Function NewControl()
    Set NewControl = CreateObject("Pellgrove.DralithCTL")
End Function

' Reads a registry value; Empty when it does not exist.
Function RegistryValue(path)
    On Error Resume Next
    RegistryValue = shell.RegRead(path)
    If Err.Number <> 0 Then RegistryValue = Empty
    Err.Clear
End Function

Sub FreshControl()
    Dim c : Set c = NewControl()
    Check c.DataLength = 32 And c.DisplayMode = 0 And c.Interval = 500 And c.Enabled = True _
        And c.FreeOnClickEnabled = False And c.BorderStyle = 0 And c.Appearance = 0, _
        "a fresh control has its initial values", _
        c.DataLength & " " & c.DisplayMode & " " & c.Interval & " " & c.Enabled & " " & c.FreeOnClickEnabled
    Check c.MenuDisplayVisible And c.MenuDisplayEnabled And c.MenuDisplayMultiLineVisible _
        And c.MenuDisplayMultiLineEnabled And c.MenuFreeOnClickVisible And c.MenuFreeOnClickEnabled, _
        "every menu entry starts visible and enabled", ""
End Sub

Sub DataLengthRule()
    Dim c : Set c = NewControl()
    c.DataLength = 7.9
    Check c.DataLength = 32, "DataLength 7.9 is ignored", c.DataLength
    c.DataLength = 8.9
    Check c.DataLength = 8, "DataLength 8.9 stores 8", c.DataLength
    c.DataLength = 1024
    Check c.DataLength = 1024, "DataLength 1024 is kept", c.DataLength
End Sub

Sub IntervalAndTimer()
    Dim c : Set c = NewControl()
    c.Interval = 250.5
    Check c.Interval = 250, "Interval 250.5 rounds to the even 250", c.Interval
    c.Interval = 251.5
    Check c.Interval = 252, "Interval 251.5 rounds to the even 252", c.Interval
    c.Enabled = False
    Check c.Enabled = False, "Enabled can stop the timer", c.Enabled
    On Error Resume Next
    c.Interval = -5
    Dim refused : refused = Err.Number <> 0
    On Error GoTo 0
    Check refused And c.Interval = 252, "a negative Interval is refused", c.Interval
End Sub

Sub DisplayModeAndSurface()
    Dim c : Set c = NewControl()
    c.DisplayMode = 6
    Check c.DisplayMode = 6, "DisplayMode 6 reads back", c.DisplayMode
    c.DisplayMode = 9
    Check c.DisplayMode = 9, "DisplayMode takes values outside 0 to 6 as given", c.DisplayMode
    c.BorderStyle = 1
    c.Appearance = 1
    Check c.BorderStyle = 1 And c.Appearance = 1, "BorderStyle and Appearance read back", c.BorderStyle & c.Appearance
    c.Refresh
    c.Refresh
    Check True, "Refresh answers without a container", ""
End Sub

Sub MemoryFigures()
    Dim c : Set c = NewControl()
    Dim free : free = c.FreeMemory
    Check free > 1 And Abs(c.MemoryCurrentMB - free) < 512, "FreeMemory is above 1 MB and matches MemoryCurrentMB", _
        free & " / " & c.MemoryCurrentMB
    Check c.MemoryMaxMB >= free And c.MemoryMaxPageMB >= c.MemoryCurrentPageMB And c.MemoryCurrentPageMB > 0, _
        "totals are not below the free figures", c.MemoryMaxMB & " " & c.MemoryMaxPageMB & " " & c.MemoryCurrentPageMB
    Check c.MemoryMaxvirtualMB >= c.MemoryCurrentVirtualMB And c.MemoryCurrentVirtualMB > 0, _
        "virtual figures are consistent", c.MemoryMaxvirtualMB & " " & c.MemoryCurrentVirtualMB
    ' The total in MB: whole part of bytes / 1 MiB, plus 1, from the 64-bit figure.
    Dim system, expected
    expected = Empty
    On Error Resume Next
    For Each system In GetObject("winmgmts:\\.\root\cimv2").ExecQuery("SELECT TotalPhysicalMemory FROM Win32_ComputerSystem")
        expected = Int(CDbl(system.TotalPhysicalMemory) / 1048576) + 1
    Next
    On Error GoTo 0
    If IsEmpty(expected) Then
        Check False, "MemoryMaxMB follows the megabyte rule", "no WMI figure to compare with"
    Else
        Check c.MemoryMaxMB = expected, "MemoryMaxMB follows the megabyte rule on the 64-bit figure", _
            c.MemoryMaxMB & " vs " & expected
    End If
End Sub

' Writing False into a multi-line menu property narrows a multi-line display mode.
Sub MultiLineRule(useVisible)
    Dim c, mode, expected, seen, name, readBack
    seen = ""
    If useVisible Then name = "MenuDisplayMultiLineVisible" Else name = "MenuDisplayMultiLineEnabled"
    For mode = 0 To 6
        Set c = NewControl()
        c.DisplayMode = mode
        If useVisible Then
            c.MenuDisplayMultiLineVisible = False
            readBack = c.MenuDisplayMultiLineVisible
        Else
            c.MenuDisplayMultiLineEnabled = False
            readBack = c.MenuDisplayMultiLineEnabled
        End If
        expected = mode
        If mode = 4 Then
            expected = 2
        ElseIf mode > 2 Then
            expected = 1
        End If
        If c.DisplayMode <> expected Then seen = seen & mode & "->" & c.DisplayMode & " "
        If readBack <> False Then seen = seen & "(reads true) "
    Next
    Check seen = "", name & " := False narrows modes 3 to 6", seen
End Sub

Sub MenuRules()
    MultiLineRule True
    MultiLineRule False
    Dim c : Set c = NewControl()
    c.DisplayMode = 5
    c.MenuDisplayEnabled = False
    Check c.DisplayMode = 0 And c.MenuDisplayEnabled = False, "MenuDisplayEnabled := False sets mode 0", c.DisplayMode
    c.MenuDisplayVisible = False
    c.MenuFreeOnClickVisible = False
    c.MenuFreeOnClickEnabled = False
    Check Not c.MenuDisplayVisible And Not c.MenuFreeOnClickVisible And Not c.MenuFreeOnClickEnabled, _
        "menu visibility and enabled properties read back", ""
End Sub

Sub FreeUp()
    Dim c : Set c = NewControl()
    Dim amount : amount = 16
    c.FreeUpMemory amount
    Check amount = 16, "FreeUpMemory(Free16MB) returns with the amount unchanged", amount
    c.FreeUpMemory 8
    c.FreeUpMemory 0
    Check True, "FreeUpMemory with Free8MB and BreakFreeing returns", ""
End Sub

Sub Settings()
    Dim c, d
    Set c = NewControl()
    c.DelSettings AppName
    c.FreeOnClickEnabled = True
    c.DisplayMode = 5
    c.SaveSettings AppName
    Check RegistryValue(SettingsKey & AppName) = "15", "SaveSettings stores ""15""", RegistryValue(SettingsKey & AppName)

    Set d = NewControl()
    d.LoadSettings AppName
    Check d.FreeOnClickEnabled = True And d.DisplayMode = 5, "LoadSettings on a new instance restores both choices", _
        d.FreeOnClickEnabled & " " & d.DisplayMode

    shell.RegWrite SettingsKey & AppName, "07", "REG_SZ"
    Set d = NewControl()
    d.DisplayMode = 3
    d.FreeOnClickEnabled = True
    d.LoadSettings AppName
    Check d.FreeOnClickEnabled = False And d.DisplayMode = 3, "a stored ""07"" changes only free-on-click", _
        d.FreeOnClickEnabled & " " & d.DisplayMode

    shell.RegWrite SettingsKey & AppName, "1", "REG_SZ"
    Set d = NewControl()
    On Error Resume Next
    d.LoadSettings AppName
    Dim number : number = Err.Number
    On Error GoTo 0
    ' The control answers E_INVALIDARG (&H80070057), which the script engine reports as its own
    ' error 5, "invalid procedure call or argument".
    Check number = 5 And d.FreeOnClickEnabled = True, "a one-character value fails with invalid argument after applying it", _
        "error " & Hex(number) & ", free-on-click " & d.FreeOnClickEnabled

    c.DelSettings AppName
    Check IsEmpty(RegistryValue(SettingsKey & AppName)), "DelSettings removes the value", RegistryValue(SettingsKey & AppName)

    ' No Application argument: the key's default value.
    c.SaveSettings
    Check RegistryValue(SettingsKey) = "15", "SaveSettings without a name writes the default value", RegistryValue(SettingsKey)
    c.DelSettings
    Check IsEmpty(RegistryValue(SettingsKey)), "DelSettings without a name removes the default value", RegistryValue(SettingsKey)

    Set d = NewControl()
    d.LoadSettings "NoSuchApplication"
    Check d.DisplayMode = 0 And d.FreeOnClickEnabled = False, "a missing value leaves the state unchanged", d.DisplayMode
End Sub

' The value the last step leaves behind for the byte-level check of the test script.
Sub LeaveValueForByteCheck()
    Dim c : Set c = NewControl()
    c.FreeOnClickEnabled = True
    c.DisplayMode = 5
    c.SaveSettings AppName
End Sub

FreshControl
DataLengthRule
IntervalAndTimer
DisplayModeAndSurface
MemoryFigures
MenuRules
FreeUp
Settings
LeaveValueForByteCheck
WScript.Echo "END"
