add_gtest(kavrel-start-tests
    SOURCES
        ${CMAKE_CURRENT_LIST_DIR}/SmallCatalogue.cpp
        ${CMAKE_CURRENT_LIST_DIR}/SmallCatalogue.h
        ${CMAKE_CURRENT_LIST_DIR}/DataModuleTest.cpp
        ${CMAKE_CURRENT_LIST_DIR}/CatalogueTreeTest.cpp
        ${CMAKE_CURRENT_LIST_DIR}/MainWindowTest.cpp
    LIBS kavrel_app kavrel_catalogue)

add_gtest(kavrel-start-process-tests
    SOURCES
        ${CMAKE_CURRENT_LIST_DIR}/SmallCatalogue.cpp
        ${CMAKE_CURRENT_LIST_DIR}/SmallCatalogue.h
        ${CMAKE_CURRENT_LIST_DIR}/StartProcessTest.cpp
    LIBS kavrel_catalogue
    TIMEOUT 180)
if(TARGET kavrel-start-process-tests)
    target_compile_definitions(kavrel-start-process-tests PRIVATE KAVREL_EXE="$<TARGET_FILE:kavrel>")
    add_dependencies(kavrel-start-process-tests kavrel)
endif()
