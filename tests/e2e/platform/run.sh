#!/usr/bin/env bash
# The Windows platform self-test under Wine.
exec bash "$(dirname "$0")/../../../platform/win32/tests/run.sh" "$@"
