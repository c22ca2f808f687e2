# Sources that keep a file-local helper with the same name as a neighbour's (an
# anonymous-namespace defaults(), tr(), rgb(), constant...) are compiled on their own in
# unity builds. A new "redefinition of '{anonymous}::...'" error in a unity build is fixed
# by renaming the helper or by adding its file here.
function(lumeno_compile_alone dir)
  if(NOT LUMENO_UNITY_BUILD OR NOT EXISTS ${PROJECT_SOURCE_DIR}/${dir}/CMakeLists.txt)
    return()
  endif()
  list(TRANSFORM ARGN PREPEND ${PROJECT_SOURCE_DIR}/${dir}/)
  set_source_files_properties(${ARGN} DIRECTORY ${PROJECT_SOURCE_DIR}/${dir}
                              PROPERTIES SKIP_UNITY_BUILD_INCLUSION ON)
endfunction()

lumeno_compile_alone(platform/foundation NSKeyedArchiver.cpp NSUserDefaults.cpp)
lumeno_compile_alone(platform/net NSHTTPCookieStorage.cpp)
lumeno_compile_alone(platform/ui/hosting UIAlertView.cpp)
lumeno_compile_alone(Classes/App LumenoAppShell.cpp LumenoAppShell+Dialogs.cpp
                     LumenoSDKAppDelegate+AlKahf.cpp LumenoSDKAppDelegate+Settings.cpp)
lumeno_compile_alone(Classes/Index IndexViewController.cpp)
lumeno_compile_alone(Classes/Reading SurahVerseView.cpp SurahViewController.cpp)
if(LUMENO_BUILD_TESTS)
  lumeno_compile_alone(tests/tools/contentdb GlyphTablesTest.cpp)
  lumeno_compile_alone(tests/Classes/Search SavedSearchesTest.cpp SearchSharingTest.cpp)
endif()

# The screens being written now (bookmarks, search, settings) are compiled file by file
# until they settle.
foreach(target lumeno_bookmarks lumeno_search lumeno_settings)
  if(TARGET ${target})
    set_target_properties(${target} PROPERTIES UNITY_BUILD OFF)
  endif()
endforeach()
