#!/usr/bin/env python3
"""The public headers against each other and against the export lists.

  check_headers.py exports <header.h> <header.inc> <exports.txt>
      the C prototypes and the MASM PROTOs (32-bit) and EXTERNDEFs (64-bit)
      name exactly the exports of the list, with its argument counts.
  check_headers.py constants <header.h> <header.inc> <library_values_check.cpp>
      every constant of the C header has an equate of the same value in the
      MASM include and back, and the C++ check compares it with the library.
  check_headers.py record <kelp32.h> <kelp32.inc> <control_record.h>
      the control record's fields, in order, with the same offsets and
      sizes in the C struct, the MASM STRUCT and the library's own record.
  check_headers.py structs <kelp32.h> <kelp32.inc> <names>
      each named structure (comma-separated) has the same fields, in order,
      with the same offsets and sizes, in C and in MASM.

The export lists are checked against the built DLLs by
tests/exports/check_exports.sh, and library_values_check.cpp compares the
C header's values with the library's when it is compiled, so together these
tie the MASM include to the library too. Prints what differs; exits 1 then.
"""
import re
import sys

failures = []


def fail(message):
    failures.append(message)


def read(path):
    with open(path, encoding="utf-8") as f:
        return f.read()


def c_code(text):
    """The text without C comments."""
    text = re.sub(r"/\*.*?\*/", " ", text, flags=re.S)
    return re.sub(r"//[^\n]*", " ", text)


def masm_lines(text):
    """The lines without MASM comments, stripped."""
    return [line.split(";", 1)[0].strip() for line in text.splitlines()]


def c_number(literal):
    literal = literal.strip().rstrip("uUlL")
    return int(literal, 16) if literal.lower().startswith("0x") else int(literal)


def masm_number(literal):
    literal = literal.strip()
    if re.fullmatch(r"[0-9][0-9A-Fa-f]*[hH]", literal):
        return int(literal[:-1], 16)
    return int(literal)


def compare_sets(what, left_name, left, right_name, right):
    for name in sorted(set(left) - set(right)):
        fail(f"{what} {name} is in {left_name} but not in {right_name}")
    for name in sorted(set(right) - set(left)):
        fail(f"{what} {name} is in {right_name} but not in {left_name}")


def expected_exports(path):
    exports = {}
    for line in read(path).splitlines():
        fields = line.split("#", 1)[0].split()
        if fields:
            exports[fields[0]] = int(fields[1])
    return exports


def c_prototypes(path):
    """{name: argument count} of the functions declared with the API macro."""
    prototypes = {}
    pattern = re.compile(r"\b(?:KELP32_API|MHOOK_API)\s+(\w+)\s*\(([^)]*)\)\s*;")
    for name, arguments in pattern.findall(c_code(read(path))):
        arguments = arguments.strip()
        prototypes[name] = 0 if arguments in ("", "void") else arguments.count(",") + 1
    return prototypes


def masm_exports(path):
    """({name: DWORD count} of the 32-bit PROTOs, {names} of the 64-bit EXTERNDEFs)."""
    protos, externs = {}, set()
    for line in masm_lines(read(path)):
        proto = re.fullmatch(r"(\w+)\s+PROTO\s+STDCALL\b(.*)", line, flags=re.I)
        if proto:
            arguments = [a.strip() for a in proto.group(2).split(",") if a.strip()]
            for argument in arguments:
                if argument.upper() != ":DWORD":
                    fail(f"{proto.group(1)} in {path} takes {argument}, not :DWORD")
            protos[proto.group(1)] = len(arguments)
            continue
        extern = re.fullmatch(r"EXTERNDEF\s+(\w+)\s*:\s*PROC", line, flags=re.I)
        if extern:
            externs.add(extern.group(1))
    return protos, externs


def check_exports(header, include, exports_path):
    expected = expected_exports(exports_path)
    prototypes = c_prototypes(header)
    protos, externs = masm_exports(include)
    compare_sets("export", exports_path, expected, header, prototypes)
    compare_sets("export", exports_path, expected, include + " (PROTO)", protos)
    compare_sets("export", exports_path, expected, include + " (EXTERNDEF)", externs)
    for name, count in expected.items():
        if name in prototypes and prototypes[name] != count:
            fail(f"{name} takes {prototypes[name]} arguments in {header}, {count} in the DLL")
        if name in protos and protos[name] != count:
            fail(f"{name} takes {protos[name]} arguments in {include}, {count} in the DLL")
    return f"{len(expected)} exports named alike in {header} and {include}"


def c_constants(path):
    """{name: value} of the enumerators and #defined numbers and texts."""
    code = c_code(read(path))
    constants = {}
    for body in re.findall(r"\benum\s*\{(.*?)\}", code, flags=re.S):
        for name, value in re.findall(r"(\w+)\s*=\s*([0-9A-Fa-fxX]+)", body):
            constants[name] = c_number(value)
    for name, value in re.findall(r"^\s*#define\s+(\w+)\s+(\"[^\"]*\"|[0-9][0-9A-Fa-fxX]*)\s*$", code, flags=re.M):
        constants[name] = value if value.startswith('"') else c_number(value)
    return constants


def masm_constants(path):
    constants = {}
    for line in masm_lines(read(path)):
        equate = re.fullmatch(r"(\w+)\s+EQU\s+([0-9][0-9A-Fa-f]*[hH]?)", line, flags=re.I)
        if equate:
            constants[equate.group(1)] = masm_number(equate.group(2))
            continue
        text = re.fullmatch(r"(\w+)\s+TEXTEQU\s+<(\"[^\"]*\")>", line, flags=re.I)
        if text:
            constants[text.group(1)] = text.group(2)
    return constants


def check_constants(header, include, library_check):
    ours = c_constants(header)
    theirs = masm_constants(include)
    # The include guards are the only names of their own.
    theirs = {name: value for name, value in theirs.items() if not name.endswith("_INC")}
    compare_sets("constant", header, ours, include, theirs)
    for name in sorted(set(ours) & set(theirs)):
        if ours[name] != theirs[name]:
            fail(f"{name} is {ours[name]} in {header} but {theirs[name]} in {include}")
    lowered = {}
    for name in theirs:
        if name.lower() in lowered:
            fail(f"{name} and {lowered[name.lower()]} are one name to a case-blind assembler")
        lowered[name.lower()] = name
    checked = set(re.findall(r"\b(?:SAME_VALUE|SAME_TEXT)\((\w+)", read(library_check)))
    for name in sorted(set(ours) - checked):
        if name not in ("KELP32_API", "MHOOK_API"):
            fail(f"{name} of {header} is not compared with the library in {library_check}")
    return f"{len(ours)} constants alike in {header} and {include}"


C_SIZES = {"DWORD": 4, "LONG": 4, "COLORREF": 4, "CHAR": 1, "char": 1, "std::uint32_t": 4, "std::int32_t": 4,
           "Handle32": 4, "ColourRef": 4, "KELP32_LOGFONT": 60}
MASM_SIZES = {"DWORD": 4, "SDWORD": 4, "BYTE": 1, "KELP32_LOGFONT": 60}
# WIDTH is a MASM operator: the include names the size fields differently.
MASM_NAMES = {"ctrlWidth": "width", "ctrlHeight": "height", "formWidth": "width", "formHeight": "height"}


def c_struct_fields(path, struct_name, numbers):
    code = c_code(read(path))
    match = re.search(r"\bstruct\s+" + struct_name + r"\s*\{(.*?)\}", code, flags=re.S)
    if not match:
        fail(f"no struct {struct_name} in {path}")
        return []
    fields = []
    for type_name, name, count in re.findall(r"([\w:]+)\s+(\w+)\s*(?:\[(\w+)\])?\s*;", match.group(1)):
        size = C_SIZES.get(type_name)
        if size is None:
            fail(f"{path}: field {name} has a type of unknown size, {type_name}")
            continue
        if count:
            size *= numbers[count] if count in numbers else int(count)
        fields.append((name, size))
    return fields


def masm_struct_fields(path, struct_name, numbers):
    fields, inside = [], False
    for line in masm_lines(read(path)):
        if re.fullmatch(struct_name + r"\s+STRUCT", line, flags=re.I):
            inside = True
            continue
        if re.fullmatch(struct_name + r"\s+ENDS", line, flags=re.I):
            break
        if not inside or not line:
            continue
        field = re.fullmatch(r"(\w+)\s+(\w+)\s+(?:(\w+)\s+DUP\s*\(\s*\?\s*\)|\?|<>)", line, flags=re.I)
        if not field or field.group(2).upper() not in MASM_SIZES:
            fail(f"{path}: cannot read the field line '{line}'")
            continue
        count = field.group(3)
        size = MASM_SIZES[field.group(2).upper()]
        if count:
            size *= numbers[count] if count in numbers else int(count)
        fields.append((MASM_NAMES.get(field.group(1), field.group(1)), size))
    return fields


def layout(fields):
    offset, placed = 0, []
    for name, size in fields:
        placed.append((name, offset, size))
        offset += size
    return placed, offset


def compare_layouts(what, path, placed, size, reference, reference_name, reference_size):
    """Fails where a layout differs from the reference one: size, the first differing field, count."""
    if size != reference_size:
        fail(f"{what} is {size} bytes in {path}, {reference_size} in {reference_name}")
    for ours, theirs in zip(placed, reference):
        if ours != theirs:
            fail(f"{what} in {path}: field {ours[0]} at {ours[1]} ({ours[2]} bytes); {reference_name} has "
                 f"{theirs[0]} at {theirs[1]} ({theirs[2]} bytes)")
            break
    if len(placed) != len(reference):
        fail(f"{what} has {len(placed)} fields in {path}, {len(reference)} in {reference_name}")


def check_record(header, include, library_header):
    numbers = {"kTextFieldSize": 260}
    numbers.update({k: v for k, v in c_constants(header).items() if isinstance(v, int)})
    library, library_size = layout(c_struct_fields(library_header, "ControlRecord", numbers))
    for path, (fields, size) in (
        (header, layout(c_struct_fields(header, "KELP32_CONTROL_RECORD", numbers))),
        (include, layout(masm_struct_fields(include, "KELP32_CONTROL_RECORD", numbers))),
    ):
        compare_layouts("the record", path, fields, size, library, "the library", library_size)
    if numbers.get("KELP32_RECORD_SIZE") != library_size:
        fail(f"KELP32_RECORD_SIZE is {numbers.get('KELP32_RECORD_SIZE')}, the record {library_size} bytes")
    return f"the record's {len(library)} fields lie alike in {header}, {include} and the library ({library_size} bytes)"


def check_structs(header, include, names):
    numbers = {k: v for k, v in c_constants(header).items() if isinstance(v, int)}
    checked = []
    for name in names.split(","):
        c_fields, c_size = layout(c_struct_fields(header, name, numbers))
        masm_fields, masm_size = layout(masm_struct_fields(include, name, numbers))
        compare_layouts(name, include, masm_fields, masm_size, c_fields, header, c_size)
        checked.append(f"{name} ({c_size} bytes)")
    return "alike in C and MASM: " + ", ".join(checked)


def main():
    checks = {"exports": check_exports, "constants": check_constants, "record": check_record,
              "structs": check_structs}
    if len(sys.argv) != 5 or sys.argv[1] not in checks:
        print(__doc__)
        return 2
    summary = checks[sys.argv[1]](*sys.argv[2:])
    for message in failures:
        print(message)
    if failures:
        return 1
    print(summary)
    return 0


if __name__ == "__main__":
    sys.exit(main())
