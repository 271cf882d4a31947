; masm_host.asm: a 32-bit host of Kelp32.dll written as a MASM programmer
; writes one: WinInc's windows.inc for Win32, kelp32.inc and mhook.inc for
; the two libraries, and every export of both called through INVOKE, so
; that the assembler checks each call against the include's PROTO. Win32
; comes from a whole include set rather than from the few prototypes the
; host needs declared here: so the assembly also shows that the two
; includes live beside a full set of Win32 names without a clash, and no
; Win32 declaration is copied by hand.
;
; It builds what docs/host-contract.md describes: a main frame with an MDI
; client, Init_DLL, the four tool windows, the menu bar, the New Project
; window (through the menu's "&New Project", then "Cancel"), a form with one
; control of every kind, the menu's "&Add Form" and "&Add Module", a code
; window filled with WM_SETTEXT, an editor command passed on by the MDI
; client, the mouse hook reporting a real click, a project read back and
; rebuilt through the project exports as a host that saves does, and the
; end through
; "&Exit". It checks what comes back on the way, the control records above
; all: DCM_GETRECORD must fill exactly SIZEOF KELP32_CONTROL_RECORD bytes
; with the control's kind, parent and names.
;
; Exit code 0 when every check holds. Otherwise one line on standard
; output names the check, and the exit code is its FAIL_ number below. Each
; step is announced first, so that a hang shows where it happened.

.386
.model flat, stdcall
option casemap:none

WINVER          EQU 0501h
_WIN32_WINNT    EQU 0501h
include windows.inc
include kelp32.inc
include mhook.inc
include record_layout.inc

; ---------------------------------------------------------------------------
; Exit codes: what failed.
FAIL_FRAME              EQU 1   ; the main frame or its MDI client
FAIL_INIT_DLL           EQU 2   ; Init_DLL gave no font
FAIL_TOOL_WINDOW        EQU 3   ; a tool window is missing or elsewhere
FAIL_MENU_BAR           EQU 4   ; CreateMenuBar set no menu, or returned non-zero
FAIL_NEW_PROJECT        EQU 5   ; the New Project window did not open or close
FAIL_FORM               EQU 6   ; CreateFormWin, or the form's panel and surface
FAIL_CREATOR            EQU 7   ; a creator gave no control, or put it elsewhere
FAIL_RECORD             EQU 8   ; a control record holds the wrong values
FAIL_RECORD_SIZE        EQU 9   ; DCM_GETRECORD did not fill exactly the record
FAIL_IDENTIFIERS        EQU 10  ; DCM_SETIDNAME or DCM_SETID did not reach the record
FAIL_MENU_COMMAND       EQU 11  ; "&Add Form" or "&Add Module" did nothing, or never reached the frame
FAIL_CODE_WINDOW        EQU 12  ; InitRichEditBox, its editor, or WM_SETTEXT
FAIL_EDITOR_COMMAND     EQU 13  ; an editor command passed on by the MDI client did nothing
FAIL_MOUSE_HOOK         EQU 14  ; InstallHook, UninstallHook, or no report of a click
FAIL_EXIT               EQU 15  ; "&Exit" did not shut the menus down and end the loop
FAIL_CRASH              EQU 16  ; an exception nobody handled
FAIL_PROJECT            EQU 17  ; the project exports: reading, closing or rebuilding went wrong

FIRST_MDI_CHILD         EQU 50000
WAIT_MILLISECONDS       EQU 20000   ; for what comes through the message queue (emulated: slow)
RECORD_FILL             EQU 0CCCCCCCCh

; The record with a guard after it: DCM_GETRECORD must write up to the
; guard and not into it.
GUARDED_RECORD STRUCT
  rec           KELP32_CONTROL_RECORD <>
  guard         DWORD ?
GUARDED_RECORD ENDS

Say             PROTO :DWORD
ZeroBytes       PROTO :DWORD, :DWORD
SameText        PROTO :DWORD, :DWORD
FirstLineIs     PROTO :DWORD, :DWORD
Fail            PROTO :DWORD, :DWORD, :DWORD
CheckChild      PROTO :DWORD, :DWORD, :DWORD, :DWORD
PumpUntil       PROTO :DWORD
CheckControl    PROTO :DWORD, :DWORD, :DWORD, :DWORD, :DWORD, :DWORD
ReadRecord      PROTO :DWORD, :DWORD

; ---------------------------------------------------------------------------
; STEP "text": says what the host does next.
STEP MACRO text:REQ
  LOCAL message
  .const
  message db "masm_host: ", text, 0
  .code
  invoke Say, offset message
ENDM

; EXPECT <condition>, exitCode, "text": ends the program with the exit code,
; saying the text, unless the condition (an .if expression) holds. Written
; without "!": in a macro argument it makes the next character literal, so
; "!=" would arrive as "=" and "!(x)" as "(x)".
EXPECT MACRO condition:REQ, exitCode:REQ, text:REQ
  LOCAL message
  .const
  message db text, 0
  .code
  .if !(condition)
    invoke Fail, exitCode, offset message, 0
  .endif
ENDM

; PLACE creator, kind, x, y, text [, seventh argument]: one control on the
; form's design surface, then its checks. The creator is called through
; INVOKE with the arguments kelp32.h gives it.
PLACE MACRO creator:REQ, kind:REQ, x:REQ, y:REQ, text:REQ, seventh
  LOCAL creatorName, controlText
  .const
  creatorName db "&creator", 0
  controlText db text, 0
  .code
  IFB <seventh>
    invoke creator, gSurface, x, y, CONTROL_WIDTH, CONTROL_HEIGHT, offset controlText
  ELSE
    invoke creator, gSurface, x, y, CONTROL_WIDTH, CONTROL_HEIGHT, offset controlText, seventh
  ENDIF
  invoke CheckControl, eax, offset creatorName, kind, x, y, offset controlText
ENDM

CONTROL_WIDTH           EQU 90
CONTROL_HEIGHT          EQU 30

; ---------------------------------------------------------------------------
.const
szFrameClass    db "MasmKelpHost_Class", 0
szFrameTitle    db "MASM Kelp32 Host", 0
szMdiClient     db "MDICLIENT", 0
szKelp32        db "Kelp32.dll", 0
szFormFrame     db KELP32_FORM_FRAME_CLASS, 0
szFormPanel     db KELP32_FORM_PANEL_CLASS, 0
szFormSurface   db KELP32_FORM_SURFACE_CLASS, 0
szCodeClass     db KELP32_CODE_WINDOW_CLASS, 0
szButtonText    db "Button", 0
szFirstForm     db "Project1 - Form1 (Form)", 0
szSecondForm    db "Project1 - Form2 (Form)", 0
szFirstModule   db "Module1 (Code)", 0
szCodeTitle     db "Hello (Code)", 0
szCode          db "; said by the MASM host", 13, 10
                db "start:", 13, 10
                db "    invoke ExitProcess, 0", 13, 10
                db "end start", 13, 10, 0
szCodeFirstLine db "; said by the MASM host", 0
CUT_LENGTH      EQU 7               ; "; said " goes with IDM_EDITOR_DELETE
szCutFirstLine  db "by the MASM host", 0
szHandlePrefix  db "h", 0
szIdNameFormat  db "IDC_MASM%lu", 0
szPlacedFormat  db "masm_host:   %s: kind %lu at (%ld, %ld), %ld x %ld, %s", 0
szFailFormat    db "masm_host: FAILED (exit code %lu): %s%s%s", 0
szForWhat       db ": ", 0
szNothing       db 0
szCrashFormat   db "masm_host: FAILED (exit code %lu): exception %08lX at %08lX", 0
szDone          db "masm_host: every check passed", 0
szNewLine       db 13, 10

.data
gControlCount   DWORD 0

.data?
gInstance       DWORD ?
gFrame          DWORD ?
gClient         DWORD ?
gClientProc     DWORD ?
gSurface        DWORD ?
gNewProject     DWORD ?
gLastCommand    DWORD ?
gPresses        DWORD ?
gPressedWindow  DWORD ?
gPressMessage   DWORD ?
gDestroyed      DWORD ?
gWaitedWindow   DWORD ?
gRecord         GUARDED_RECORD <>
gLine           BYTE 600 DUP (?)
gText           BYTE KELP32_TEXT_SIZE DUP (?)

; ---------------------------------------------------------------------------
.code

; Writes a line to standard output.
Say proc uses ebx esi text:DWORD
  local written:DWORD
  invoke GetStdHandle, STD_OUTPUT_HANDLE
  mov ebx, eax
  invoke lstrlenA, text
  mov esi, eax
  invoke WriteFile, ebx, text, esi, addr written, NULL
  invoke WriteFile, ebx, offset szNewLine, SIZEOF szNewLine, addr written, NULL
  ret
Say endp

; Says what failed (text, and what it was about when subject is not 0) and
; ends the process with the exit code.
Fail proc exitCode:DWORD, text:DWORD, subject:DWORD
  .if subject == 0
    invoke wsprintfA, offset gLine, offset szFailFormat, exitCode, text, offset szNothing, offset szNothing
  .else
    invoke wsprintfA, offset gLine, offset szFailFormat, exitCode, text, offset szForWhat, subject
  .endif
  invoke Say, offset gLine
  invoke ExitProcess, exitCode
  ret
Fail endp

; An exception that reached the top ends the run with FAIL_CRASH and says
; where, instead of leaving it to Wine's debugger.
CrashFilter proc pointers:DWORD
  mov eax, pointers
  mov eax, (EXCEPTION_POINTERS PTR [eax]).ExceptionRecord
  mov ecx, (EXCEPTION_RECORD PTR [eax]).ExceptionAddress
  mov edx, (EXCEPTION_RECORD PTR [eax]).ExceptionCode
  invoke wsprintfA, offset gLine, offset szCrashFormat, FAIL_CRASH, edx, ecx
  invoke Say, offset gLine
  invoke ExitProcess, FAIL_CRASH
  mov eax, EXCEPTION_EXECUTE_HANDLER
  ret
CrashFilter endp

; Dispatches messages until condition (a procedure returning non-zero when
; it holds) holds; eax is 0 when WAIT_MILLISECONDS passed first.
PumpUntil proc uses ebx condition:DWORD
  local message:MSG
  invoke GetTickCount
  mov ebx, eax
  .while TRUE
    .while TRUE
      invoke PeekMessageA, addr message, NULL, 0, 0, PM_REMOVE
      .break .if eax == 0
      invoke TranslateMessage, addr message
      invoke DispatchMessageA, addr message
    .endw
    call condition
    .if eax != 0
      mov eax, 1
      ret
    .endif
    invoke GetTickCount
    sub eax, ebx
    .if eax > WAIT_MILLISECONDS
      xor eax, eax
      ret
    .endif
    ; Sleeps until a message arrives, at most a tick; then looks again.
    invoke MsgWaitForMultipleObjects, 0, NULL, FALSE, 10, QS_ALLINPUT
  .endw
PumpUntil endp

; Fills count bytes at address with zeros (winnt.inc's RtlZeroMemory is a
; macro, not a call).
ZeroBytes proc uses edi address:DWORD, count:DWORD
  cld
  mov edi, address
  mov ecx, count
  xor eax, eax
  rep stosb
  ret
ZeroBytes endp

; 1 when the two zero-terminated texts are the same, else 0.
SameText proc first:DWORD, second:DWORD
  invoke lstrcmpA, first, second
  test eax, eax
  setz al
  movzx eax, al
  ret
SameText endp

; The first line of a window's text is the given text.
FirstLineIs proc window:DWORD, expected:DWORD
  invoke GetWindowTextA, window, offset gLine, SIZEOF gLine
  mov ecx, offset gLine
  .while byte ptr [ecx] != 0 && byte ptr [ecx] != 13 && byte ptr [ecx] != 10
    inc ecx
  .endw
  mov byte ptr [ecx], 0
  invoke SameText, offset gLine, expected
  ret
FirstLineIs endp

; The window was made, as a child of parent; else the run ends with the exit
; code, naming what made it.
CheckChild proc window:DWORD, parent:DWORD, exitCode:DWORD, what:DWORD
  .if window == 0
    invoke Fail, exitCode, offset szNoWindow, what
  .endif
  invoke GetParent, window
  .if eax != parent
    invoke Fail, exitCode, offset szWrongParent, what
  .endif
  ret
CheckChild endp

; Conditions for PumpUntil.
WaitedWindowIsGone proc
  invoke IsWindow, gWaitedWindow
  test eax, eax
  setz al
  movzx eax, al
  ret
WaitedWindowIsGone endp

APressWasReported proc
  mov eax, gPresses
  ret
APressWasReported endp

; Copies a control's record into gRecord, over a known fill, and checks
; that the copy ended exactly at the record's last byte.
ReadRecord proc uses edi control:DWORD, creatorName:DWORD
  cld
  mov edi, offset gRecord
  mov ecx, SIZEOF GUARDED_RECORD / 4
  mov eax, RECORD_FILL
  rep stosd
  invoke SendMessageA, control, DCM_GETRECORD, 0, offset gRecord.rec
  .if gRecord.guard != RECORD_FILL
    invoke Fail, FAIL_RECORD_SIZE, offset szRecordPast, creatorName
  .endif
  ; codeOpen, the last field, and settled, the first, are 0 and 1 for a
  ; control that rests and has no code window yet: the fill is gone.
  .if gRecord.rec.codeOpen != 0 || gRecord.rec.settled != 1
    invoke Fail, FAIL_RECORD_SIZE, offset szRecordShort, creatorName
  .endif
  ret
ReadRecord endp

; The checks of one placed control: it is a child of the design surface,
; and its record has its kind, parent, place (but a status bar's, which
; docks at the bottom), handle name ("h" + text) and a context menu; the
; identifiers a host gives it arrive in the record.
CheckControl proc uses ebx control:DWORD, creatorName:DWORD, kind:DWORD, x:DWORD, y:DWORD, text:DWORD
  invoke CheckChild, control, gSurface, FAIL_CREATOR, creatorName
  invoke ReadRecord, control, creatorName
  invoke wsprintfA, offset gLine, offset szPlacedFormat, creatorName, gRecord.rec.kind, gRecord.rec.left,
      gRecord.rec.top, gRecord.rec.ctrlWidth, gRecord.rec.ctrlHeight, offset gRecord.rec.handleName
  invoke Say, offset gLine
  mov eax, kind
  .if gRecord.rec.kind != eax
    invoke Fail, FAIL_RECORD, offset szRecordKind, creatorName
  .endif
  mov eax, gSurface
  .if gRecord.rec.hParent != eax
    invoke Fail, FAIL_RECORD, offset szRecordParent, creatorName
  .endif
  .if kind != KIND_STATUSBAR
    mov eax, x
    mov ecx, y
    .if gRecord.rec.left != eax || gRecord.rec.top != ecx
      invoke Fail, FAIL_RECORD, offset szRecordPlace, creatorName
    .endif
  .endif
  invoke lstrcpyA, offset gText, offset szHandlePrefix
  invoke lstrcatA, offset gText, text
  invoke lstrcmpA, offset gRecord.rec.handleName, offset gText
  .if eax != 0
    invoke Fail, FAIL_RECORD, offset szRecordHandleName, creatorName
  .endif
  invoke IsMenu, gRecord.rec.hPopupMenu
  .if eax == 0
    invoke Fail, FAIL_RECORD, offset szRecordMenu, creatorName
  .endif

  ; Named and numbered as the form names what the user draws.
  inc gControlCount
  invoke wsprintfA, offset gText, offset szIdNameFormat, gControlCount
  invoke SendMessageA, control, DCM_SETIDNAME, 0, offset gText
  mov ebx, gControlCount
  add ebx, 2000
  invoke SendMessageA, control, DCM_SETID, 0, ebx
  invoke ReadRecord, control, creatorName
  invoke lstrcmpA, offset gRecord.rec.idName, offset gText
  .if eax != 0 || gRecord.rec.ctrlId != ebx
    invoke Fail, FAIL_IDENTIFIERS, offset szIdentifiers, creatorName
  .endif
  ret
CheckControl endp

; The MDI client's procedure, subclassed as docs/host-contract.md asks: an
; editor's context-menu commands arrive here and go on to a code window.
ClientProc proc hWnd:HWND, uMsg:DWORD, wParam:WPARAM, lParam:LPARAM
  mov eax, uMsg
  .if eax == WM_COMMAND
    movzx eax, word ptr wParam
    .if eax >= IDM_EDITOR_UNDO && eax <= IDM_EDITOR_DELETE
      invoke FindWindowExA, hWnd, NULL, offset szCodeClass, NULL
      .if eax != 0
        invoke SendMessageA, eax, uMsg, wParam, lParam
      .endif
      ret
    .endif
  .elseif eax == KELP32_EDITOR_ACTIVITY
    xor eax, eax
    ret
  .endif
  invoke CallWindowProcA, gClientProc, hWnd, uMsg, wParam, lParam
  ret
ClientProc endp

; The main frame's procedure; after CreateMenuBar it sits behind the
; library's subclass and still sees every message.
FrameProc proc hWnd:HWND, uMsg:DWORD, wParam:WPARAM, lParam:LPARAM
  local clientCreate:CLIENTCREATESTRUCT
  mov eax, uMsg
  .if eax == WM_CREATE
    mov clientCreate.hWindowMenu, NULL
    mov clientCreate.idFirstChild, FIRST_MDI_CHILD
    invoke CreateWindowExA, WS_EX_CLIENTEDGE, offset szMdiClient, NULL,
        WS_CHILD or WS_VISIBLE or WS_CLIPCHILDREN or WS_VSCROLL or WS_HSCROLL, 0, 0, 0, 0,
        hWnd, NULL, gInstance, addr clientCreate
    mov gClient, eax
    .if eax != 0
      invoke SetWindowLongA, gClient, GWL_WNDPROC, offset ClientProc
      mov gClientProc, eax
    .endif
    xor eax, eax
    ret
  .elseif eax == WM_COMMAND
    movzx eax, word ptr wParam
    mov gLastCommand, eax
    .if eax == IDM_NEWPROJECT
      invoke NewProject, hWnd
      mov gNewProject, eax
    .endif
  .elseif eax == MHOOK_PRESS
    mov eax, wParam
    mov gPressedWindow, eax
    mov eax, lParam
    mov gPressMessage, eax
    inc gPresses
    xor eax, eax
    ret
  .elseif eax == WM_DESTROY
    inc gDestroyed
    invoke PostQuitMessage, 0
    xor eax, eax
    ret
  .endif
  invoke DefFrameProcA, hWnd, gClient, uMsg, wParam, lParam
  ret
FrameProc endp

; The window's class name is the given text.
HasClass proc window:DWORD, className:DWORD
  invoke GetClassNameA, window, offset gText, KELP32_TEXT_SIZE
  invoke SameText, offset gText, className
  ret
HasClass endp

; A left click at a screen point, through the input queue as a user's.
ClickAt proc x:DWORD, y:DWORD
  local inputs[3]:INPUT
  invoke ZeroBytes, addr inputs, SIZEOF inputs
  invoke SetCursorPos, x, y
  ; Absolute coordinates run from 0 to 65535 over the screen.
  invoke GetSystemMetrics, SM_CXSCREEN
  mov ecx, eax
  mov eax, x
  shl eax, 16
  add eax, ecx
  dec eax
  xor edx, edx
  div ecx
  mov inputs[0].mi.dx_, eax
  invoke GetSystemMetrics, SM_CYSCREEN
  mov ecx, eax
  mov eax, y
  shl eax, 16
  add eax, ecx
  dec eax
  xor edx, edx
  div ecx
  mov inputs[0].mi.dy, eax
  mov inputs[0].type_, INPUT_MOUSE
  mov inputs[0].mi.dwFlags, MOUSEEVENTF_MOVE or MOUSEEVENTF_ABSOLUTE
  mov inputs[SIZEOF INPUT].type_, INPUT_MOUSE
  mov inputs[SIZEOF INPUT].mi.dwFlags, MOUSEEVENTF_LEFTDOWN
  mov inputs[2 * SIZEOF INPUT].type_, INPUT_MOUSE
  mov inputs[2 * SIZEOF INPUT].mi.dwFlags, MOUSEEVENTF_LEFTUP
  invoke SendInput, 3, addr inputs, SIZEOF INPUT
  ret
ClickAt endp

; ---------------------------------------------------------------------------
start:
  invoke SetUnhandledExceptionFilter, offset CrashFilter
  invoke GetModuleHandleA, NULL
  mov gInstance, eax

  STEP "the main frame and its MDI client"
  call MakeFrame

  STEP "Init_DLL"
  invoke Init_DLL, gInstance, gClient
  EXPECT <eax>, FAIL_INIT_DLL, "Init_DLL returned no font"
  invoke GetObjectType, eax
  EXPECT <eax == OBJ_FONT>, FAIL_INIT_DLL, "Init_DLL returned something that is not a font"

  STEP "the tool windows"
  call MakeToolWindows

  STEP "CreateMenuBar"
  invoke CreateMenuBar, 0
  EXPECT <eax == 0>, FAIL_MENU_BAR, "CreateMenuBar returned non-zero"
  invoke GetMenu, gFrame
  EXPECT <eax>, FAIL_MENU_BAR, "CreateMenuBar set no menu on the frame"
  invoke ShowWindow, gFrame, SW_SHOWNORMAL
  invoke UpdateWindow, gFrame

  STEP "NewProject, through the menu's &New Project, and its Cancel"
  call OpenAndCancelNewProject

  STEP "CreateFormWin"
  call OpenForm

  STEP "one control of each kind"
  call PlaceControls

  STEP "&Add Form and &Add Module"
  call UseMenuCommands

  STEP "InitRichEditBox"
  call OpenCodeWindow

  STEP "InstallHook, a click, UninstallHook"
  call UseMouseHook

  STEP "the project read back, closed and rebuilt"
  call SaveAndRebuild

  STEP "&Exit"
  call ExitThroughMenu

  invoke Say, offset szDone
  invoke ExitProcess, 0

; ---------------------------------------------------------------------------
MakeFrame proc
  local frameClass:WNDCLASSEXA
  invoke ZeroBytes, addr frameClass, SIZEOF frameClass
  mov frameClass.cbSize, SIZEOF frameClass
  mov frameClass.lpfnWndProc, offset FrameProc
  mov eax, gInstance
  mov frameClass.hInstance, eax
  invoke LoadCursorA, NULL, IDC_ARROW
  mov frameClass.hCursor, eax
  mov frameClass.hbrBackground, COLOR_APPWORKSPACE + 1
  mov frameClass.lpszClassName, offset szFrameClass
  invoke RegisterClassExA, addr frameClass
  EXPECT <eax>, FAIL_FRAME, "RegisterClassExA failed for the frame"
  invoke CreateWindowExA, 0, offset szFrameClass, offset szFrameTitle, WS_OVERLAPPEDWINDOW or WS_CLIPCHILDREN,
      0, 0, 1000, 720, NULL, NULL, gInstance, NULL
  mov gFrame, eax
  EXPECT <gFrame>, FAIL_FRAME, "CreateWindowExA made no frame"
  EXPECT <gClient>, FAIL_FRAME, "the frame made no MDI client"
  ret
MakeFrame endp

; The four tool windows, laid out as minimal_host.c does: the toolbox down
; the left edge, the project, properties and Form Layout windows down the
; right, the MDI client between them.
TOOLBOX_WIDTH   EQU 72
STRIP_WIDTH     EQU 220
PROJECT_HEIGHT  EQU 150
LAYOUT_HEIGHT   EQU 150

; TOOL_WINDOW creator, variable: a tool window, a child of the frame.
TOOL_WINDOW MACRO creator:REQ, window:REQ
  LOCAL creatorName
  .const
  creatorName db "&creator", 0
  .code
  invoke creator, gFrame
  mov window, eax
  invoke CheckChild, eax, gFrame, FAIL_TOOL_WINDOW, offset creatorName
ENDM

MakeToolWindows proc uses ebx esi
  local client:RECT
  local toolbox:DWORD, project:DWORD, properties:DWORD, layout:DWORD
  TOOL_WINDOW Create_Tool_Bar, toolbox
  TOOL_WINDOW Create_Project_Window, project
  TOOL_WINDOW Create_Prop_Window, properties
  TOOL_WINDOW ScreenLayoutClass, layout

  invoke GetClientRect, gFrame, addr client
  mov ebx, client.right
  sub ebx, STRIP_WIDTH                  ; ebx: the strip's left edge
  mov esi, client.bottom                ; esi: the height
  invoke MoveWindow, toolbox, 0, 0, TOOLBOX_WIDTH, esi, TRUE
  mov eax, ebx
  sub eax, TOOLBOX_WIDTH
  invoke MoveWindow, gClient, TOOLBOX_WIDTH, 0, eax, esi, TRUE
  invoke MoveWindow, project, ebx, 0, STRIP_WIDTH, PROJECT_HEIGHT, TRUE
  mov eax, esi
  sub eax, PROJECT_HEIGHT + LAYOUT_HEIGHT
  invoke MoveWindow, properties, ebx, PROJECT_HEIGHT, STRIP_WIDTH, eax, TRUE
  mov eax, esi
  sub eax, LAYOUT_HEIGHT
  invoke MoveWindow, layout, ebx, eax, STRIP_WIDTH, LAYOUT_HEIGHT, TRUE
  ret
MakeToolWindows endp

; The host's answer to "&New Project" is NewProject(frame): the window is a
; top-most pop-up owned by the frame and not modal, so the call returns.
OpenAndCancelNewProject proc
  mov gNewProject, 0
  invoke SendMessageA, gFrame, WM_COMMAND, IDM_NEWPROJECT, 0
  EXPECT <gLastCommand == IDM_NEWPROJECT>, FAIL_NEW_PROJECT, "&New Project did not reach the frame's procedure"
  EXPECT <gNewProject>, FAIL_NEW_PROJECT, "NewProject returned no window"
  invoke IsWindowVisible, gNewProject
  EXPECT <eax>, FAIL_NEW_PROJECT, "the New Project window is not shown"
  invoke GetWindow, gNewProject, GW_OWNER
  EXPECT <eax == gFrame>, FAIL_NEW_PROJECT, "the New Project window is not owned by the frame"
  invoke GetWindowLongA, gNewProject, GWL_EXSTYLE
  EXPECT <eax & WS_EX_TOPMOST>, FAIL_NEW_PROJECT, "the New Project window is not top-most"
  invoke GetDlgItem, gNewProject, IDC_NEWPROJECT_OK
  EXPECT <eax>, FAIL_NEW_PROJECT, "the New Project window has no IDC_NEWPROJECT_OK"
  invoke GetDlgItem, gNewProject, IDC_NEWPROJECT_CANCEL
  EXPECT <eax>, FAIL_NEW_PROJECT, "the New Project window has no IDC_NEWPROJECT_CANCEL"
  invoke SendMessageA, eax, BM_CLICK, 0, 0
  mov eax, gNewProject
  mov gWaitedWindow, eax
  invoke PumpUntil, offset WaitedWindowIsGone
  EXPECT <eax>, FAIL_NEW_PROJECT, "Cancel left the New Project window open"
  ret
OpenAndCancelNewProject endp

; A form opened as the library's own "&Add Form" opens one, and the design
; surface inside its back panel, where controls go.
OpenForm proc uses ebx
  invoke GetModuleHandleA, offset szKelp32
  invoke CreateFormWin, eax, gFrame, gClient, 1
  mov ebx, eax
  EXPECT <ebx>, FAIL_FORM, "CreateFormWin returned no window"
  invoke HasClass, ebx, offset szFormFrame
  EXPECT <eax>, FAIL_FORM, "the form is not of class KELP32_FORM_FRAME_CLASS"
  invoke GetParent, ebx
  EXPECT <eax == gClient>, FAIL_FORM, "the form is not a child of the MDI client"
  invoke GetWindowTextA, ebx, offset gText, KELP32_TEXT_SIZE
  invoke lstrcmpA, offset gText, offset szFirstForm
  EXPECT <eax == 0>, FAIL_FORM, "the first form is not titled Project1 - Form1 (Form)"
  invoke FindWindowExA, ebx, NULL, offset szFormPanel, NULL
  EXPECT <eax>, FAIL_FORM, "the form has no KELP32_FORM_PANEL_CLASS window"
  invoke FindWindowExA, eax, NULL, offset szFormSurface, NULL
  mov gSurface, eax
  EXPECT <gSurface>, FAIL_FORM, "the form's panel has no KELP32_FORM_SURFACE_CLASS window"
  ret
OpenForm endp

; Every creator, in a grid of four columns.
COLUMN1 EQU 8
COLUMN2 EQU 108
COLUMN3 EQU 208
COLUMN4 EQU 308
ROW1    EQU 8
ROW2    EQU 48
ROW3    EQU 88
ROW4    EQU 128
ROW5    EQU 168

PlaceControls proc
  PLACE CreateStaticWin,        KIND_LABEL,        COLUMN1, ROW1, "Label"
  PLACE CreateEditWin,          KIND_TEXTBOX,      COLUMN2, ROW1, "Text"
  PLACE CreateButtonWin,        KIND_BUTTON,       COLUMN3, ROW1, "Button"
  ; A button records its window text, font and style too.
  invoke lstrcmpA, offset gRecord.rec.caption, offset szButtonText
  EXPECT <eax == 0>, FAIL_RECORD, "the button's record has not its text as caption"
  invoke GetObjectType, gRecord.rec.hFont
  EXPECT <eax == OBJ_FONT>, FAIL_RECORD, "the button's record has no font"
  EXPECT <gRecord.rec.style & WS_CHILD>, FAIL_RECORD, "the button's record has not its window style"
  PLACE CreateCheckBoxWin,      KIND_CHECKBOX,     COLUMN4, ROW1, "Check"
  PLACE CreateRadioBoxWin,      KIND_OPTIONBUTTON, COLUMN1, ROW2, "Option"
  PLACE CreateComboBoxWin,      KIND_COMBOBOX,     COLUMN2, ROW2, "Combo"
  PLACE CreateListBoxWin,       KIND_LISTBOX,      COLUMN3, ROW2, "List"
  PLACE CreateHScrollBarWin,    KIND_HSCROLLBAR,   COLUMN4, ROW2, "HScroll"
  PLACE CreateVScrollBarWin,    KIND_VSCROLLBAR,   COLUMN1, ROW3, "VScroll"
  PLACE CreateTimerWin,         KIND_TIMER,        COLUMN2, ROW3, "Timer"
  PLACE CreateDriveListBoxWin,  KIND_DRIVELISTBOX, COLUMN3, ROW3, "Drive"
  PLACE CreateDirListBoxWin,    KIND_DIRLISTBOX,   COLUMN4, ROW3, "Dir"
  PLACE CreateFileListBoxWin,   KIND_FILELISTBOX,  COLUMN1, ROW4, "File"
  PLACE CreateImageBoxWin,      KIND_IMAGEBOX,     COLUMN2, ROW4, "Image"
  PLACE CreateCalWin,           KIND_CALENDAR,     COLUMN3, ROW4, "Calendar"
  PLACE CreateTrackBarWin,      KIND_TRACKBAR,     COLUMN4, ROW4, "Track"
  PLACE CreateProgressWin,      KIND_PROGRESSBAR,  COLUMN1, ROW5, "Progress"
  PLACE CreateStatusWin,        KIND_STATUSBAR,    COLUMN2, ROW5, "Status"
  ; The seventh argument is not used: NULL, as kelp32.h allows.
  PLACE CreateGroupBoxWin,      KIND_GROUPBOX,     COLUMN3, ROW5, "Group", NULL
  ret
PlaceControls endp

; Two commands the library carries out itself, sent as the menu sends them;
; each then reaches the frame's own procedure.
UseMenuCommands proc
  invoke SendMessageA, gFrame, WM_COMMAND, IDM_ADDFORM, 0
  EXPECT <gLastCommand == IDM_ADDFORM>, FAIL_MENU_COMMAND, "&Add Form did not reach the frame's procedure"
  invoke FindWindowExA, gClient, NULL, offset szFormFrame, offset szSecondForm
  EXPECT <eax>, FAIL_MENU_COMMAND, "&Add Form opened no Project1 - Form2 (Form)"
  invoke SendMessageA, gFrame, WM_COMMAND, IDM_ADDMODULE, 0
  EXPECT <gLastCommand == IDM_ADDMODULE>, FAIL_MENU_COMMAND, "&Add Module did not reach the frame's procedure"
  invoke FindWindowExA, gClient, NULL, offset szCodeClass, offset szFirstModule
  EXPECT <eax>, FAIL_MENU_COMMAND, "&Add Module opened no Module1 (Code)"
  ret
UseMenuCommands endp

; A code window of the host's own, filled with WM_SETTEXT; the text goes
; into its editor and the caption stays. Then the editor's "Delete", as its
; context menu sends it to the MDI client, which passes it on.
OpenCodeWindow proc uses ebx esi
  invoke InitRichEditBox, gClient, gInstance, offset szCodeClass, offset szCodeTitle, gFrame
  mov ebx, eax
  EXPECT <ebx>, FAIL_CODE_WINDOW, "InitRichEditBox returned no window"
  invoke HasClass, ebx, offset szCodeClass
  EXPECT <eax>, FAIL_CODE_WINDOW, "the code window is not of class KELP32_CODE_WINDOW_CLASS"
  invoke SendMessageA, ebx, WM_SETTEXT, 0, offset szCode
  invoke GetDlgItem, ebx, IDC_CODE_EDITOR
  mov esi, eax
  EXPECT <esi>, FAIL_CODE_WINDOW, "the code window has no IDC_CODE_EDITOR"
  invoke GetDlgItem, ebx, IDC_CODE_FIRSTLIST
  EXPECT <eax>, FAIL_CODE_WINDOW, "the code window has no IDC_CODE_FIRSTLIST"
  invoke GetDlgItem, ebx, IDC_CODE_SECONDLIST
  EXPECT <eax>, FAIL_CODE_WINDOW, "the code window has no IDC_CODE_SECONDLIST"
  invoke FirstLineIs, esi, offset szCodeFirstLine
  EXPECT <eax>, FAIL_CODE_WINDOW, "the editor does not hold the text given with WM_SETTEXT"
  invoke GetWindowTextA, ebx, offset gText, KELP32_TEXT_SIZE
  invoke lstrcmpA, offset gText, offset szCodeTitle
  EXPECT <eax == 0>, FAIL_CODE_WINDOW, "WM_SETTEXT changed the code window's caption"

  invoke SendMessageA, esi, EM_SETSEL, 0, CUT_LENGTH
  invoke SendMessageA, gClient, WM_COMMAND, IDM_EDITOR_DELETE, 0
  invoke FirstLineIs, esi, offset szCutFirstLine
  EXPECT <eax>, FAIL_EDITOR_COMMAND, "IDM_EDITOR_DELETE through the MDI client did not delete the selection"
  ret
OpenCodeWindow endp

; From InstallHook, a press in any window of the thread is first reported
; to the given window (here the frame) as MHOOK_PRESS. The click goes on an
; empty corner of the MDI client.
UseMouseHook proc uses ebx
  local corner:POINT
  local client:RECT
  invoke InstallHook, gFrame
  EXPECT <eax == TRUE>, FAIL_MOUSE_HOOK, "InstallHook did not return TRUE"
  invoke GetClientRect, gClient, addr client
  mov eax, client.right
  sub eax, 40
  mov corner.x, eax
  mov eax, client.bottom
  sub eax, 40
  mov corner.y, eax
  invoke ClientToScreen, gClient, addr corner
  invoke WindowFromPoint, corner
  EXPECT <eax == gClient>, FAIL_MOUSE_HOOK, "the MDI client's corner is covered; nowhere harmless to click"
  mov gPresses, 0
  invoke ClickAt, corner.x, corner.y
  invoke PumpUntil, offset APressWasReported
  EXPECT <eax>, FAIL_MOUSE_HOOK, "no MHOOK_PRESS reported the click"
  EXPECT <gPressMessage == WM_LBUTTONDOWN>, FAIL_MOUSE_HOOK, "MHOOK_PRESS did not carry WM_LBUTTONDOWN"
  mov eax, gPressedWindow
  EXPECT <eax == gClient>, FAIL_MOUSE_HOOK, "MHOOK_PRESS did not carry the MDI client"
  invoke UninstallHook
  EXPECT <eax == TRUE>, FAIL_MOUSE_HOOK, "UninstallHook did not return TRUE"
  ret
UseMouseHook endp

; A host that keeps projects reads what was made through the project
; exports and builds it again: the forms and a control walked, its
; properties and code read and set, a module found, the project closed, then
; a form, a control and a module made with the numbers they had, and the
; project's MDI form.
SaveAndRebuild proc uses ebx esi
  local project:KELP32_PROJECT_INFO
  local form:KELP32_FORM_INFO
  local properties:KELP32_DESIGN_PROPERTIES
  local module:KELP32_MODULE_INFO
  invoke SetHostOptions, KELP32_OPTION_NOTIFY_CHANGES
  EXPECT <eax == 0>, FAIL_PROJECT, "SetHostOptions did not return the options before it (none)"
  invoke GetProjectInfo, addr project
  EXPECT <project.formCounter == 2>, FAIL_PROJECT, "GetProjectInfo does not count two forms"
  invoke GetNextForm, NULL
  mov ebx, eax
  EXPECT <ebx>, FAIL_PROJECT, "GetNextForm found no form"
  invoke GetFormInfo, ebx, addr form
  EXPECT <eax>, FAIL_PROJECT, "GetFormInfo refused the first form"
  EXPECT <form.number == 1>, FAIL_PROJECT, "the first form is not Form1"
  invoke GetNextControl, form.hSurface, NULL
  mov esi, eax
  EXPECT <esi>, FAIL_PROJECT, "GetNextControl found no control on Form1"
  invoke GetDesignProperties, esi, addr properties
  EXPECT <eax>, FAIL_PROJECT, "GetDesignProperties refused a control"
  mov properties.fields, KELP32_SET_CAPTION
  lea eax, properties.caption
  invoke lstrcpyA, eax, addr szSavedCaption
  invoke SetDesignProperties, esi, addr properties
  EXPECT <eax>, FAIL_PROJECT, "SetDesignProperties refused a control"
  invoke SetCodeText, esi, offset szSavedCode, 0
  EXPECT <eax>, FAIL_PROJECT, "SetCodeText gave the control no code window"
  invoke GetCodeText, eax, NULL, 0
  EXPECT <eax == SIZEOF szSavedCode - 1>, FAIL_PROJECT, "GetCodeText does not give the length SetCodeText set"
  invoke GetNextCodeModule, NULL
  mov ebx, eax
  EXPECT <ebx>, FAIL_PROJECT, "GetNextCodeModule found no module"
  invoke GetCodeModuleInfo, ebx, addr module
  EXPECT <eax>, FAIL_PROJECT, "GetCodeModuleInfo refused Module1"
  EXPECT <module.number == 1>, FAIL_PROJECT, "the first module is not Module1"

  invoke CloseProject, 2, 1, 0
  invoke GetNextForm, NULL
  EXPECT <eax == 0>, FAIL_PROJECT, "CloseProject left a form"
  invoke ZeroBytes, addr form, SIZEOF form
  mov form.number, 2
  invoke CreateProjectForm, addr form
  EXPECT <eax>, FAIL_PROJECT, "CreateProjectForm made no Form2"
  invoke PlaceDesignControl, form.hSurface, KIND_BUTTON, 3, NULL, 10, 10, 80, 24
  mov esi, eax
  EXPECT <esi>, FAIL_PROJECT, "PlaceDesignControl placed no Button3"
  invoke GetDesignProperties, esi, addr properties
  lea eax, properties.handleName
  invoke lstrcmpA, eax, addr szButton3
  EXPECT <eax == 0>, FAIL_PROJECT, "the button placed as number 3 is not hButton3"
  invoke CreateCodeModule, KELP32_MODULE, 1, NULL, offset szSavedCode, KELP32_CODE_VISIBLE
  EXPECT <eax>, FAIL_PROJECT, "CreateCodeModule opened no Module1"
  invoke GetModuleHandleA, offset szKelp32
  invoke CreateMdiFormWin, eax, gFrame, gClient, 1
  EXPECT <eax>, FAIL_PROJECT, "CreateMdiFormWin made no MDI form"
  invoke SetHostOptions, 0
  ret
SaveAndRebuild endp

; "&Exit": the library takes its menu bar off the frame, destroys it and
; sends the frame WM_DESTROY, whose PostQuitMessage ends the loop.
ExitThroughMenu proc
  local message:MSG
  invoke SendMessageA, gFrame, WM_COMMAND, IDM_EXIT, 0
  EXPECT <gDestroyed == 1>, FAIL_EXIT, "&Exit did not send the frame WM_DESTROY once"
  invoke GetMenu, gFrame
  EXPECT <eax == 0>, FAIL_EXIT, "&Exit left the menu bar on the frame"
  .while TRUE
    invoke GetMessageA, addr message, NULL, 0, 0
    .break .if eax == 0 || eax == -1
    invoke TranslateMessage, addr message
    invoke DispatchMessageA, addr message
  .endw
  EXPECT <eax == 0>, FAIL_EXIT, "GetMessageA failed before WM_QUIT"
  EXPECT <message.wParam == 0>, FAIL_EXIT, "WM_QUIT carried a non-zero exit code"
  ret
ExitThroughMenu endp

.const
szSavedCaption      db "Saved", 0
szSavedCode         db "; kept", 13, 10, 9, "ret", 10, 0
szButton3           db "hButton3", 0
szNoWindow          db "returned no window", 0
szWrongParent       db "made a window that is not a child of the expected parent", 0
szRecordPast        db "DCM_GETRECORD wrote past SIZEOF KELP32_CONTROL_RECORD", 0
szRecordShort       db "DCM_GETRECORD did not fill the record from its first field to its last", 0
szRecordKind        db "the record's kind is not the creator's KIND_ code", 0
szRecordParent      db "the record's hParent is not the design surface", 0
szRecordPlace       db "the record's left and top are not where the control was placed", 0
szRecordHandleName  db "the record's handleName is not h followed by the text", 0
szRecordMenu        db "the record's hPopupMenu is not a menu", 0
szIdentifiers       db "DCM_SETIDNAME and DCM_SETID did not reach the record", 0

end start
