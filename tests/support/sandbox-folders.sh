#!/bin/sh
# A test process's folders lie in the build tree whatever the caller exported, none of the
# program's settings exported by the caller reaches it, and the tests' own switches do.
# Usage: sandbox-folders.sh SANDBOX_RUNNER BUILD_FOLDER
set -u
runner=$1 build=$2
seen=$(HOME=/outside/home TMPDIR=/outside/tmp XDG_RUNTIME_DIR=/outside/run XDG_CONFIG_HOME=/outside/config \
    LUMENO_DOCUMENTS_DIR=/outside/docs LUMENO_CACHES_DIR=/outside/caches LUMENO_CONFIG_DIR=/outside/config \
    LUMENO_TEMP_DIR=/outside/tmp LUMENO_BUNDLE_DIR=/outside/bundle LUMENO_MAIL_COMMAND=false LUMENO_UPDATE_DOCS=1 \
    "$runner" sandbox-folders sh -c 'for v in HOME TMPDIR XDG_RUNTIME_DIR LUMENO_DOCUMENTS_DIR LUMENO_CACHES_DIR \
        LUMENO_CONFIG_DIR LUMENO_TEMP_DIR XDG_CONFIG_HOME LUMENO_BUNDLE_DIR LUMENO_MAIL_COMMAND LUMENO_UPDATE_DOCS; do
        eval "echo $v=\${$v-unset}"; done') || { echo "the sandbox did not run the command"; exit 1; }
status=0
for v in HOME TMPDIR XDG_RUNTIME_DIR LUMENO_DOCUMENTS_DIR LUMENO_CACHES_DIR LUMENO_CONFIG_DIR LUMENO_TEMP_DIR; do
    value=$(echo "$seen" | sed -n "s/^$v=//p")
    case $value in
    "$build"/test-home/*) test -d "$value" || { echo "$v: $value is not a folder"; status=1; } ;;
    *) echo "$v: $value is outside the build tree"; status=1 ;;
    esac
done
for v in XDG_CONFIG_HOME LUMENO_BUNDLE_DIR LUMENO_MAIL_COMMAND; do
    echo "$seen" | grep -qx "$v=unset" || { echo "$v was kept: $(echo "$seen" | grep "^$v=")"; status=1; }
done
echo "$seen" | grep -qx "LUMENO_UPDATE_DOCS=1" || { echo "a test switch was dropped"; status=1; }
exit $status
