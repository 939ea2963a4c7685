# The consistency report, on small TEBA folders built for each finding.
tht_add_test(report_test SOURCES report_test.cpp LIBRARIES tht_report)
