# kestrova_add_test(name SOURCES ... LIBS ... [GUI])
# One executable, one ctest entry. Every test runs with a temporary HOME and XDG folders
# (set by the shared test main), and GUI tests on Qt's offscreen platform.
function(kestrova_add_test name)
    cmake_parse_arguments(T "GUI" "TIMEOUT" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${T_SOURCES})
    if(T_GUI)
        target_link_libraries(${name} PRIVATE kestrova_gui_test_main)
    else()
        target_link_libraries(${name} PRIVATE kestrova_test_main)
    endif()
    target_link_libraries(${name} PRIVATE GTest::gtest GTest::gmock ${T_LIBS})
    target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests/support)
    add_test(NAME ${name} COMMAND ${name})
    set(_env "QT_QPA_PLATFORM=offscreen" "ASAN_OPTIONS=detect_leaks=0:abort_on_error=0"
             "UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1")
    if(NOT T_TIMEOUT)
        set(T_TIMEOUT 300)
    endif()
    set_tests_properties(${name} PROPERTIES ENVIRONMENT "${_env}" TIMEOUT ${T_TIMEOUT})
endfunction()

# The shared test mains: a temporary HOME for every test executable, then a Qt application object.
add_library(kestrova_test_main STATIC ${PROJECT_SOURCE_DIR}/tests/support/test_main.cpp)
target_link_libraries(kestrova_test_main PUBLIC Qt6::Core GTest::gtest)
add_library(kestrova_gui_test_main STATIC ${PROJECT_SOURCE_DIR}/tests/support/test_main.cpp)
target_compile_definitions(kestrova_gui_test_main PRIVATE KESTROVA_GUI_TEST=1)
target_link_libraries(kestrova_gui_test_main PUBLIC Qt6::Widgets GTest::gtest)
