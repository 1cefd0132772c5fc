# The fuzzing build: the layers below the fuzz targets, instrumented for libFuzzer, ASan and
# UBSan, then the targets in fuzz/. Needs clang (clang's libFuzzer runtime).
if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    message(FATAL_ERROR "QM_FUZZ needs clang: -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_C_COMPILER=clang")
endif()
add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer
                    -fno-sanitize-recover=undefined -g)
add_link_options(-fsanitize=address,undefined)
find_package(Threads REQUIRED)
set(QM_FUZZ_LAYERS platform settings)
foreach(layer IN LISTS QM_FUZZ_LAYERS)
    add_subdirectory(src/${layer})
endforeach()
set(QM_FUZZ_LIBS qm_settings qm_platform)
add_subdirectory(fuzz)
