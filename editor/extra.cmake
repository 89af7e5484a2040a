# The XML source view's text editor: QScintilla for Qt 6.
find_library(QSCINTILLA_LIBRARY NAMES qscintilla2_qt6 REQUIRED)
find_path(QSCINTILLA_INCLUDE_DIR NAMES Qsci/qsciscintilla.h PATH_SUFFIXES qt6 REQUIRED)
target_include_directories(editorlib PUBLIC ${QSCINTILLA_INCLUDE_DIR})
target_link_libraries(editorlib PUBLIC ${QSCINTILLA_LIBRARY})
