add_gtest(curvata_chart_coordinates_test
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/CChartTest.cpp ${CMAKE_CURRENT_LIST_DIR}/ChartTestSupport.h
    LIBS curvata_chart)
add_gtest(curvata_chart_content_test
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/CCharacteristicChartTest.cpp
            ${CMAKE_CURRENT_LIST_DIR}/ChartTestSupport.h
    LIBS curvata_chart)
add_gtest(curvata_chart_view_test
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/CRuzozuvovViewTest.cpp
            ${CMAKE_CURRENT_LIST_DIR}/ChartTestSupport.h
    LIBS curvata_chart)
