# Precompiled headers: most of the time a file takes to compile here goes
# into reading the same Qt and standard headers again. Each library
# precompiles the common ones once for all its files; the test programs, one
# file each, share a precompiled set per folder (velmora_precompile_test).
#
# Only system headers go in: a change to one of ours rebuilds only what
# includes it, as without precompiled headers. Every file still includes
# what it uses, so the build stays correct with VELMORA_PRECOMPILED_HEADERS
# off (the fuzz build turns it off, clang having its own format).

set(VELMORA_COMMON_HEADERS
    <QString> <QStringList> <QByteArray> <QList> <QHash> <QDateTime> <QFile> <QDir>
    <algorithm> <cmath> <functional> <map> <memory> <optional> <vector>)

set(VELMORA_TEST_HEADERS ${VELMORA_COMMON_HEADERS}
    <QtTest> <QTemporaryDir> <QImage> <QLabel> <QLineEdit> <QPushButton> <QRegularExpression>)

function(velmora_precompile_common target)
  if(VELMORA_PRECOMPILED_HEADERS)
    target_precompile_headers(${target} PRIVATE ${VELMORA_COMMON_HEADERS})
  endif()
endfunction()

# The test programs of one folder reuse the precompiled headers of one
# target of that folder. Reuse needs the same macros, and Qt's test library
# defines the folder's build path as one (QT_TESTCASE_BUILDDIR), so a set is
# made per folder. It links what every test links (velmora_test_support
# brings Core, Gui and Widgets; Qt6::Test).
function(velmora_precompile_test target)
  if(NOT VELMORA_PRECOMPILED_HEADERS)
    return()
  endif()
  file(RELATIVE_PATH folder ${PROJECT_BINARY_DIR} ${CMAKE_CURRENT_BINARY_DIR})
  string(MAKE_C_IDENTIFIER "velmora_test_headers_${folder}" headers)
  if(NOT TARGET ${headers})
    set(source ${CMAKE_CURRENT_BINARY_DIR}/${headers}.cpp)
    file(CONFIGURE OUTPUT ${source} CONTENT "// precompiled headers of the tests of this folder\n")
    add_library(${headers} STATIC ${source})
    target_link_libraries(${headers} PRIVATE Qt6::Core Qt6::Gui Qt6::Widgets Qt6::Test)
    target_precompile_headers(${headers} PRIVATE ${VELMORA_TEST_HEADERS})
  endif()
  target_precompile_headers(${target} REUSE_FROM ${headers})
endfunction()
