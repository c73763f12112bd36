# The browser build as an installable web app that works offline: ${CMAKE_BINARY_DIR}/site/
# gets the page, its manifest, icons and fonts, the pages the program shows in iframes,
# and, made last, the service worker that keeps all of it. The program itself (mevara.js,
# .wasm, .data) is written there by the mevara target.
set(site_source ${CMAKE_CURRENT_LIST_DIR})
set(site_dir ${CMAKE_BINARY_DIR}/site)
find_program(WOFF2_COMPRESS woff2_compress REQUIRED)
find_program(NODE_EXECUTABLE node REQUIRED)

set(site_files)
function(site_copy source destination)
    add_custom_command(OUTPUT ${site_dir}/${destination}
        COMMAND ${CMAKE_COMMAND} -E copy ${source} ${site_dir}/${destination}
        DEPENDS ${source}
        VERBATIM)
    set(site_files ${site_files} ${site_dir}/${destination} PARENT_SCOPE)
endfunction()

site_copy(${site_source}/index.html index.html)
site_copy(${site_source}/manifest.webmanifest manifest.webmanifest)
file(GLOB site_icons CONFIGURE_DEPENDS ${site_source}/icons/*.png)
foreach(site_icon ${site_icons})
    cmake_path(GET site_icon FILENAME site_name)
    site_copy(${site_icon} icons/${site_name})
endforeach()
# Pages link to each other and to pages.css by relative addresses: their folders as they are.
foreach(site_folder html web)
    file(GLOB_RECURSE site_pages CONFIGURE_DEPENDS
        RELATIVE ${PROJECT_SOURCE_DIR}/resources/${site_folder}
        ${PROJECT_SOURCE_DIR}/resources/${site_folder}/*)
    foreach(site_page ${site_pages})
        site_copy(${PROJECT_SOURCE_DIR}/resources/${site_folder}/${site_page}
            resources/${site_folder}/${site_page})
    endforeach()
endforeach()

# The faces the canvas draws with. woff2_compress writes beside its input, hence the copy
# in the build folder.
foreach(site_face Regular Bold Italic BoldItalic)
    set(site_ttf /usr/share/fonts/truetype/liberation2/LiberationSans-${site_face}.ttf)
    set(site_work ${CMAKE_CURRENT_BINARY_DIR}/fonts/LiberationSans-${site_face})
    add_custom_command(OUTPUT ${site_dir}/fonts/LiberationSans-${site_face}.woff2
        COMMAND ${CMAKE_COMMAND} -E copy ${site_ttf} ${site_work}.ttf
        COMMAND ${WOFF2_COMPRESS} ${site_work}.ttf
        COMMAND ${CMAKE_COMMAND} -E copy ${site_work}.woff2
            ${site_dir}/fonts/LiberationSans-${site_face}.woff2
        DEPENDS ${site_ttf}
        VERBATIM)
    list(APPEND site_files ${site_dir}/fonts/LiberationSans-${site_face}.woff2)
endforeach()

# The worker lists and hashes whatever the folder holds, so it comes after everything else.
# emcc writes mevara.js, .wasm and .data together at every link: the script stands for all.
set(site_program)
if(TARGET mevara)
    set(site_program mevara)
endif()
add_custom_command(OUTPUT ${site_dir}/sw.js
    COMMAND ${NODE_EXECUTABLE} ${site_source}/make-sw.mjs ${site_dir}
    DEPENDS ${site_files} ${site_program} ${site_source}/make-sw.mjs ${site_source}/sw.in.js
    VERBATIM)
add_custom_target(site ALL DEPENDS ${site_dir}/sw.js)
if(TARGET mevara)
    add_dependencies(site mevara)
endif()

if(MEVARA_TESTS)
    add_test(NAME web_service_worker COMMAND ${NODE_EXECUTABLE} --test ${site_source}/sw.test.mjs)
endif()
