# KestrovaneCheck.exe: the command line, the facts it checks a job for, what
# a saved listing's bytes are and how a job's steps are shown are
# platform-free; the checks themselves talk to Windows.
list(APPEND KV_CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/check_args.cpp
  ${CMAKE_CURRENT_LIST_DIR}/check_facts.cpp
  ${CMAKE_CURRENT_LIST_DIR}/listing_text.cpp
  ${CMAKE_CURRENT_LIST_DIR}/model_plans.cpp
  ${CMAKE_CURRENT_LIST_DIR}/step_changes.cpp
  ${CMAKE_CURRENT_LIST_DIR}/step_report.cpp)
list(APPEND KV_CORE_TESTS
  ${CMAKE_CURRENT_LIST_DIR}/check_args_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/check_facts_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/listing_text_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/model_plans_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/step_report_test.cpp)
list(APPEND KV_WIN_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/check_output.cpp
  ${CMAKE_CURRENT_LIST_DIR}/check_list.cpp
  ${CMAKE_CURRENT_LIST_DIR}/temp_file.cpp
  ${CMAKE_CURRENT_LIST_DIR}/agent_key_check.cpp
  ${CMAKE_CURRENT_LIST_DIR}/install_files_check.cpp
  ${CMAKE_CURRENT_LIST_DIR}/run_files_check.cpp
  ${CMAKE_CURRENT_LIST_DIR}/relay_check.cpp
  ${CMAKE_CURRENT_LIST_DIR}/model_machine.cpp
  ${CMAKE_CURRENT_LIST_DIR}/job_check.cpp
  ${CMAKE_CURRENT_LIST_DIR}/check_program.cpp)
