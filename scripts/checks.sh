# Sourced by the test scripts: one PASS or FAIL line a check, and the closing
# count that CI reads ("N passed, N failed"); `checks_done` ends the script.
passed=0
failed=0
check() { # check "what" command...
    local what="$1"
    shift
    if "$@"; then
        echo "PASS: $what"
        passed=$((passed + 1))
    else
        echo "FAIL: $what"
        failed=$((failed + 1))
    fi
}
checks_done() {
    echo "$passed passed, $failed failed"
    [[ $failed -eq 0 ]]
}
