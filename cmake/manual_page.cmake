# corvina_install_manual_page(<page.1>): compresses a manual page as Debian keeps them and
# installs it in section 1.
find_program(CORVINA_GZIP gzip REQUIRED)
function(corvina_install_manual_page page)
  get_filename_component(name ${page} NAME)
  set(compressed ${CMAKE_CURRENT_BINARY_DIR}/${name}.gz)
  add_custom_command(OUTPUT ${compressed}
    COMMAND ${CORVINA_GZIP} -9 -n -c ${page} > ${compressed}
    DEPENDS ${page}
    COMMENT "Compressing the manual page ${name}")
  add_custom_target(manual_page_${name} ALL DEPENDS ${compressed})
  install(FILES ${compressed} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endfunction()
