# Fails when a source of the core library includes a Qt Widgets header.
file(GLOB_RECURSE sources "${DIR}/*.h" "${DIR}/*.cpp")
foreach(f IN LISTS sources)
    file(STRINGS "${f}" hits REGEX "#include[ \t]*<(QtWidgets/|QtPrintSupport/|QWidget|QDialog|QMainWindow|QApplication|QMessageBox|QPrinter)")
    if(hits)
        message(FATAL_ERROR "${f} includes a widgets header: ${hits}")
    endif()
endforeach()
