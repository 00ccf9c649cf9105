# Coordinate systems, curves and the chart view of curvata.
list(APPEND CURVATA_CHART_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/CChart.cpp ${CMAKE_CURRENT_LIST_DIR}/CChart.h
    ${CMAKE_CURRENT_LIST_DIR}/CChartLinLin.cpp ${CMAKE_CURRENT_LIST_DIR}/CChartLinLin.h
    ${CMAKE_CURRENT_LIST_DIR}/CChartLogLin.cpp ${CMAKE_CURRENT_LIST_DIR}/CChartLogLin.h
    ${CMAKE_CURRENT_LIST_DIR}/CChartLinLog.cpp ${CMAKE_CURRENT_LIST_DIR}/CChartLinLog.h
    ${CMAKE_CURRENT_LIST_DIR}/CChartLogLog.cpp ${CMAKE_CURRENT_LIST_DIR}/CChartLogLog.h
    ${CMAKE_CURRENT_LIST_DIR}/ChartFont.cpp ${CMAKE_CURRENT_LIST_DIR}/ChartFont.h
    ${CMAKE_CURRENT_LIST_DIR}/CCharacteristicChart.cpp ${CMAKE_CURRENT_LIST_DIR}/CCharacteristicChart.h
    ${CMAKE_CURRENT_LIST_DIR}/CRuzozuvovView.cpp ${CMAKE_CURRENT_LIST_DIR}/CRuzozuvovView.h
)
