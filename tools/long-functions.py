#!/usr/bin/env python3
"""Lists the functions longer than a limit, in lines from the signature to
the closing brace, in the window code or in the files given.
Usage: tools/long-functions.py [--limit N] [file...]   (default limit 80)
Exits 1 when it finds one. It counts braces outside comments and literals,
which this tree's layout is plain enough for; it is not a C++ parser."""
import argparse
import pathlib
import re
import sys

ROOT = pathlib.Path(__file__).resolve().parent.parent
WINDOW_CODE = ['src/app', 'src/dialogs', 'src/controls', 'src/ui']
NOT_CODE = re.compile(r'//[^\n]*|/\*.*?\*/|R"([^(]*)\(.*?\)\1"|"(?:\\.|[^"\\\n])*"|\'(?:\\.|[^\'\\\n])*\'', re.S)
SCOPE = re.compile(r'^(?:template\s*<.*>\s*)?(?:namespace|class|struct|enum|union)\b')


def blank(text):
    """Comments and literals as spaces, the lines kept."""
    return NOT_CODE.sub(lambda m: re.sub(r'[^\n]', ' ', m.group(0)), text)


def functions(path):
    """(name, first line, last line) of each function body in the file."""
    text = blank(path.read_text(encoding='utf-8'))
    open_blocks = []  # (is a function, first line, name)
    head, head_line, line = '', None, 1
    for ch in text:
        if ch == '\n':
            line += 1
            stripped = head.strip()
            # A preprocessor line or an access label is no function's head.
            if stripped.startswith('#') or re.search(r'^\w+\s*:$', stripped):
                head, head_line = '', None
                continue
        if ch == '{':
            signature = ' '.join(head.split())
            in_function = any(block[0] for block in open_blocks)
            is_function = (not in_function and '(' in signature and not SCOPE.match(signature)
                           and not signature.endswith('='))
            names = re.findall(r'([~\w:]+)\s*\(', signature)
            open_blocks.append((is_function, head_line or line, names[0] if names else '?'))
            head, head_line = '', None
        elif ch == '}':
            if open_blocks:
                is_function, first, name = open_blocks.pop()
                if is_function:
                    yield name, first, line
            head, head_line = '', None
        elif ch == ';':
            head, head_line = '', None
        else:
            if head_line is None and not ch.isspace():
                head_line = line
            head += ch


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument('--limit', type=int, default=80)
    parser.add_argument('files', nargs='*')
    args = parser.parse_args()
    files = [pathlib.Path(f) for f in args.files] or sorted(
        p for folder in WINDOW_CODE for p in (ROOT / folder).rglob('*') if p.suffix in ('.cpp', '.h'))
    found = 0
    for path in files:
        for name, first, last in functions(path):
            if last - first + 1 > args.limit:
                print(f'{path}:{first}: {name}: {last - first + 1} lines')
                found += 1
    return 1 if found else 0


if __name__ == '__main__':
    sys.exit(main())
