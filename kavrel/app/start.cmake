list(APPEND KAVREL_START_SOURCES
    CatalogueTreeModel.cpp CatalogueTreeModel.h
    KavrelConfig.cpp KavrelConfig.h
    KavrelMain.cpp KavrelMain.h
    TFStart.cpp TFStart.h
    TOkno2.cpp TOkno2.h
)
