# Finds QScintilla built for Qt 6 and provides the imported target QScintilla::QScintilla.
# Debian ships the headers under the Qt 6 include folder (Qsci/) and libqscintilla2_qt6.so,
# without a CMake package of its own.
find_package(Qt6 REQUIRED COMPONENTS Widgets PrintSupport)
get_target_property(_qt6_widgets_includes Qt6::Widgets INTERFACE_INCLUDE_DIRECTORIES)

find_path(QScintilla_INCLUDE_DIR
    NAMES Qsci/qsciscintilla.h
    HINTS ${_qt6_widgets_includes} /usr/include/x86_64-linux-gnu/qt6 /usr/include/qt6)
find_library(QScintilla_LIBRARY NAMES qscintilla2_qt6)

include(FindPackageHandleStandardArgs)
find_package_handle_standard_args(QScintilla REQUIRED_VARS QScintilla_LIBRARY QScintilla_INCLUDE_DIR)

if(QScintilla_FOUND AND NOT TARGET QScintilla::QScintilla)
    add_library(QScintilla::QScintilla UNKNOWN IMPORTED)
    set_target_properties(QScintilla::QScintilla PROPERTIES
        IMPORTED_LOCATION "${QScintilla_LIBRARY}"
        INTERFACE_INCLUDE_DIRECTORIES "${QScintilla_INCLUDE_DIR}"
        INTERFACE_SYSTEM_INCLUDE_DIRECTORIES "${QScintilla_INCLUDE_DIR}"
        INTERFACE_LINK_LIBRARIES "Qt6::Widgets;Qt6::PrintSupport")
endif()
mark_as_advanced(QScintilla_INCLUDE_DIR QScintilla_LIBRARY)
