# shellcheck shell=bash
# What the twin checks share: reading a Windows file's tables with LLVM's
# llvm-readobj, and running a Windows program here (under wine) or on
# Windows (as it is). Sourced, not run.

# The table reader: LLVM_READOBJ, else llvm-readobj or Debian's versioned
# name, whichever the PATH has (the Windows runner has LLVM's own).
twin_readobj() {
  local name
  for name in "${LLVM_READOBJ:-}" llvm-readobj llvm-readobj-19; do
    if [[ -n "$name" ]] && command -v "$name" >/dev/null; then
      "$name" "$@"
      return
    fi
  done
  echo "twin: no llvm-readobj on the PATH (set LLVM_READOBJ to one)" >&2
  exit 2
}

# twin_on_windows: true when this shell runs on Windows itself (Git Bash).
twin_on_windows() {
  case "$(uname -s)" in
    MINGW* | MSYS* | CYGWIN*) return 0 ;;
    *) return 1 ;;
  esac
}

# twin_run PROGRAM.exe ARGS...: runs a Windows program; elsewhere through the
# command in WINE (the msvc build's build/msvc/wine-run.sh, which keeps its
# own prefix, or plain wine).
twin_run() {
  if twin_on_windows; then
    "$@"
  else
    "${WINE:?set WINE to the command that runs Windows programs here, e.g. build/msvc/wine-run.sh}" "$@"
  fi
}

# twin_windows_path FILE: the name a Windows program is given for FILE.
twin_windows_path() {
  if twin_on_windows; then
    cygpath -w "$1"
  else
    local absolute
    absolute="$(realpath "$1")"
    echo "Z:${absolute//\//\\}"
  fi
}

# twin_exports DLL: the functions DLL exports, one a line, sorted; one
# exported by ordinal only as #N.
twin_exports() {
  twin_readobj --coff-exports "$1" | awk '
    /^ *Ordinal: / { ordinal = $2 }
    /^ *Name: / { name = $0; sub(/^ *Name: ?/, "", name); print (name == "" ? "#" ordinal : name) }
  ' | LC_ALL=C sort -u
}

# twin_import_rows FILE: every function FILE imports, directly or
# delay-loaded, as "dll<TAB>function", the DLL in lower case; one imported
# by ordinal as #N.
twin_import_rows() {
  twin_readobj --coff-imports "$1" | awk '
    /^(Import|DelayImport) \{/ { dll = "" }
    /^ *Name: / && dll == "" { dll = tolower($0); sub(/^ *name: /, "", dll) }
    /^ *Symbol: / {
      symbol = $0
      sub(/^ *Symbol: ?/, "", symbol)
      hint = symbol
      sub(/ *\([0-9]+\)$/, "", symbol)
      if (symbol == "") { sub(/^.*\(/, "", hint); sub(/\).*$/, "", hint); symbol = "#" hint }
      print dll "\t" symbol
    }
  ' | LC_ALL=C sort -u
}

# twin_imports FILE DLL: the functions FILE imports from DLL (any case).
twin_imports() {
  twin_import_rows "$1" | awk -F '\t' -v dll="$(printf '%s' "$2" | tr '[:upper:]' '[:lower:]')" \
    '$1 == dll { print $2 }'
}

# twin_imported_dlls FILE: the DLLs FILE imports from, in lower case.
twin_imported_dlls() {
  twin_import_rows "$1" | cut -f1 | LC_ALL=C sort -u
}
