# The end-to-end scenarios: real windows and the real ardeno.exe on a Win32
# desktop, under Wine when cross-built. tools/test runs them on private Wine
# desktops; they read the desktop's expected displays and code page from
# ARDENO_E2E_DISPLAYS and ARDENO_E2E_ACP.
add_executable(ardeno_e2e tests/e2e/ardeno_e2e.cpp)
target_link_libraries(ardeno_e2e PRIVATE user32 gdi32 kernel32)
if(MINGW)
  # No MinGW runtime DLLs to look for under Wine.
  target_link_options(ardeno_e2e PRIVATE -static)
endif()
if(CMAKE_CROSSCOMPILING)
  set_property(TARGET ardeno_e2e PROPERTY CROSSCOMPILING_EMULATOR wine)
endif()

# One test per row of the scenario table, found by the row's layout (four
# blanks, then {"name", ...), one for the exe's manifest and one for the
# desktop the suite runs on. A row laid out otherwise is not found:
# e2e.rows-registered hands the driver every name registered here, and the
# driver fails naming each row of its table that is not among them. Rows whose
# names begin with two-displays- need a second display: label two-displays.
set(scenarioSource ${CMAKE_CURRENT_SOURCE_DIR}/tests/e2e/ardeno_e2e.cpp)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${scenarioSource})
file(STRINGS ${scenarioSource} scenarioRows REGEX "^    {\"[a-z0-9-]+\",")
set(scenarios manifest desktop-set-up)
foreach(row IN LISTS scenarioRows)
  string(REGEX MATCH "\"([a-z0-9-]+)\"" quotedName "${row}")
  list(APPEND scenarios ${CMAKE_MATCH_1})
endforeach()
add_test(NAME e2e.rows-registered COMMAND ardeno_e2e --registered ${scenarios})
set_tests_properties(e2e.rows-registered PROPERTIES LABELS e2e TIMEOUT 60)
foreach(scenario IN LISTS scenarios)
  set(test e2e.${scenario})
  add_test(NAME ${test}
    COMMAND ardeno_e2e $<TARGET_FILE_NAME:ardeno> ${scenario}
    WORKING_DIRECTORY $<TARGET_FILE_DIR:ardeno>)
  set(labels e2e)
  if(scenario MATCHES "^two-displays-")
    list(APPEND labels two-displays)
  endif()
  # Serial: every scenario needs the desktop's one foreground window.
  set_tests_properties(${test} PROPERTIES LABELS "${labels}" TIMEOUT 60 RUN_SERIAL TRUE)
endforeach()
