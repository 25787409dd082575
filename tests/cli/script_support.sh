# Sourced by the tests that run the real qomdex-cli: a scratch folder removed at the end, on
# tmpfs where there is one (tens of thousands of files are made there in a blink), and a count
# of failures that the test's exit status reports. A test may set `context` to say where it is.
work=$(mktemp -d -p /dev/shm 2>/dev/null || mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
context=
fail() {
  echo "FAIL${context:+ ($context)}: $*" >&2
  failures=$((failures + 1))
}
