# cmake -DCORE_DIR=<src/core> -DSTAMP=<file> -P CheckCoreKnowsNoWidgets.cmake
# Fails, naming file and line, where a file of the core mentions a widget, Qt
# GUI or print module, or includes a header of src/gui; touches STAMP when
# all is well.
file(GLOB_RECURSE files "${CORE_DIR}/*.h" "${CORE_DIR}/*.cpp")
set(found "")
foreach(file IN LISTS files)
    file(STRINGS "${file}" lines REGEX "QWidget|QtWidgets|QtGui|QtPrintSupport|#include[ \t]*[<\"]gui/")
    foreach(line IN LISTS lines)
        file(RELATIVE_PATH name "${CORE_DIR}" "${file}")
        string(APPEND found "\n  src/core/${name}: ${line}")
    endforeach()
endforeach()
if(found)
    message(FATAL_ERROR "src/core must stay free of widget and GUI code:${found}")
endif()
file(TOUCH "${STAMP}")
