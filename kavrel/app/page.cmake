# Product page, picture, search, PDF window, help and certificates.
list(APPEND KAVREL_PAGE_SOURCES
    CertGridModel.cpp CertGridModel.h
    FocusDetails.cpp FocusDetails.h
    HelpDocument.cpp HelpDocument.h
    PdfWindowManager.cpp PdfWindowManager.h
    PictureScale.cpp PictureScale.h
    PictureSelector.cpp PictureSelector.h
    ProductPage.cpp ProductPage.h
    ProductPanel.cpp ProductPanel.h
    ProductSearch.cpp ProductSearch.h
    TFSearch.cpp TFSearch.h
    TFormPDF2.cpp TFormPDF2.h
    TImgView.cpp TImgView.h
    TPageView.cpp TPageView.h
)
