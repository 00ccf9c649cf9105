# Tests of the product page, picture, search, PDF window and certificates.
add_library(kavrel_page_testsupport STATIC CatalogueBuilder.cpp CatalogueBuilder.h)
target_include_directories(kavrel_page_testsupport PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
target_link_libraries(kavrel_page_testsupport PUBLIC kavrel_catalogue Qt6::Core)

add_gtest(kavrel_page_product SOURCES ProductPageTest.cpp LIBS kavrel_app kavrel_page_testsupport)
add_gtest(kavrel_page_picture SOURCES PictureTest.cpp LIBS kavrel_app kavrel_page_testsupport)
add_gtest(kavrel_page_search SOURCES SearchTest.cpp LIBS kavrel_app kavrel_page_testsupport)
add_gtest(kavrel_page_pdf SOURCES PdfWindowTest.cpp LIBS kavrel_app)
add_gtest(kavrel_page_certificates SOURCES CertGridTest.cpp
    LIBS kavrel_app kavrel_page_testsupport)

# The main window on the built sample installation.
add_gtest(kavrel_page_integration SOURCES PageIntegrationTest.cpp LIBS kavrel_app TIMEOUT 300)
if(TARGET kavrel_page_integration)
    add_dependencies(kavrel_page_integration sample-catalogue-data)
endif()
