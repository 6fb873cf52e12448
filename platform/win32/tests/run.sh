#!/usr/bin/env bash
# Runs the Windows platform self-test under Wine on a private X display and Wine prefix.
# Usage: platform/win32/tests/run.sh <windows-build-dir>
exec bash "$(dirname "$0")/../../../tests/e2e/platform/run.sh" "$@"
