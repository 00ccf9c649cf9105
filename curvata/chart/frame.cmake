# Application object, main frame, splash and About windows of curvata.
list(APPEND CURVATA_FRAME_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/CAboutDlg.cpp ${CMAKE_CURRENT_LIST_DIR}/CAboutDlg.h
    ${CMAKE_CURRENT_LIST_DIR}/CMainFrame.cpp ${CMAKE_CURRENT_LIST_DIR}/CMainFrame.h
    ${CMAKE_CURRENT_LIST_DIR}/CRuzozuvovApp.cpp ${CMAKE_CURRENT_LIST_DIR}/CRuzozuvovApp.h
    ${CMAKE_CURRENT_LIST_DIR}/CSplashDlg.cpp ${CMAKE_CURRENT_LIST_DIR}/CSplashDlg.h
    ${CMAKE_CURRENT_LIST_DIR}/CurvataPicture.cpp ${CMAKE_CURRENT_LIST_DIR}/CurvataPicture.h
)
