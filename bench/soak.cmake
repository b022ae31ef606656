# A program, not a test: the long soak through the main window, which prints its memory figures.
add_executable(kururie_soak ${CMAKE_CURRENT_LIST_DIR}/soak.cpp)
target_link_libraries(kururie_soak PRIVATE kururie_app)
target_include_directories(kururie_soak PRIVATE ${PROJECT_SOURCE_DIR}/tests)
