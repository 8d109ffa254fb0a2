# Read by CTest after the discovered tests: the run protocol's stress test normally takes a few
# seconds, so a deadlock there fails quickly instead of waiting for the default timeout.
set_tests_properties(DocTest.StressOfRandomRunEventsEndsWithoutDeadlock PROPERTIES TIMEOUT 20)
