# Shared helpers for every folder's CMakeLists.txt.

# Strict warnings on our own code.
function(qm_warnings target)
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Werror)
    # g++ 12 reports false -Wrestrict overlaps in std::basic_string concatenation at -O3
    # (GCC bug 105329); keep it a warning there.
    if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
        target_compile_options(${target} PRIVATE -Wno-error=restrict)
    endif()
endfunction()

# qm_library(NAME qm_x SOURCES ... LIBS ...): a static library of one layer; its folder's parent
# (src/) is the include root, so headers are included as "settings/SettingsRecord.h".
function(qm_library)
    cmake_parse_arguments(ARG "" "NAME" "SOURCES;LIBS" ${ARGN})
    add_library(${ARG_NAME} STATIC ${ARG_SOURCES})
    target_include_directories(${ARG_NAME} PUBLIC ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(${ARG_NAME} PUBLIC ${ARG_LIBS})
    qm_warnings(${ARG_NAME})
endfunction()

# qm_test(NAME test_x SOURCES ... LIBS ... [PROPERTIES ...]): a GoogleTest program whose tests
# are registered one by one with CTest.
function(qm_test)
    cmake_parse_arguments(ARG "" "NAME" "SOURCES;LIBS;PROPERTIES" ${ARGN})
    add_executable(${ARG_NAME} ${ARG_SOURCES})
    target_include_directories(${ARG_NAME} PRIVATE ${PROJECT_SOURCE_DIR}/src
                                                   ${PROJECT_SOURCE_DIR}/tests)
    target_link_libraries(${ARG_NAME} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gtest_main
                                              GTest::gmock)
    qm_warnings(${ARG_NAME})
    gtest_discover_tests(${ARG_NAME} DISCOVERY_TIMEOUT 120
                         PROPERTIES ENVIRONMENT "QM_BINARY_DIR=${PROJECT_BINARY_DIR}"
                                    ${ARG_PROPERTIES})
endfunction()

# qm_layer(NAME qm_x LIBS ...): a layer library made of every .cpp file in the current folder.
function(qm_layer)
    cmake_parse_arguments(ARG "" "NAME" "LIBS;EXTRA_SOURCES" ${ARGN})
    file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
    if(NOT sources)
        set(sources ${PROJECT_SOURCE_DIR}/cmake/empty.cpp)
    endif()
    qm_library(NAME ${ARG_NAME} SOURCES ${sources} ${ARG_EXTRA_SOURCES} LIBS ${ARG_LIBS})
endfunction()

# qm_test_folder(NAME test_x LIBS ... [PROPERTIES ...]): one GoogleTest program made of every .cpp
# file in the current folder; nothing is added while the folder has no tests.
function(qm_test_folder)
    cmake_parse_arguments(ARG "" "NAME" "LIBS;PROPERTIES" ${ARGN})
    file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
    if(sources)
        qm_test(NAME ${ARG_NAME} SOURCES ${sources} LIBS ${ARG_LIBS} PROPERTIES ${ARG_PROPERTIES})
    endif()
endfunction()
