add_gtest(curvata-frame-tests
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/CMainFrameTest.cpp
    LIBS curvata_chart curvata_fusedb platform
    FIXTURES ${PROJECT_SOURCE_DIR}/curvata/fusedb/tests/fixtures)
