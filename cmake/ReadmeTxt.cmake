# readme.txt, the user guide as Notepad shows it, made from README.ja.md at
# build time so that the zip's readme and the repository's page are one text.
# Needs Python 3; the target is readme_txt.
set(readme_txt ${PROJECT_BINARY_DIR}/readme.txt)
add_custom_command(OUTPUT ${readme_txt}
  COMMAND Python3::Interpreter ${CMAKE_CURRENT_LIST_DIR}/plain_text_readme.py
          ${PROJECT_SOURCE_DIR}/README.ja.md ${readme_txt}
  DEPENDS ${PROJECT_SOURCE_DIR}/README.ja.md ${CMAKE_CURRENT_LIST_DIR}/plain_text_readme.py
  VERBATIM)
add_custom_target(readme_txt DEPENDS ${readme_txt})
