# One static library per layer of src/, so that the build itself keeps dependencies pointing one
# way: engine <- controls <- window <- documents <- app, and controls <- about <- app.
#
# Every header is included as "<layer>/<header>.h". Each layer's library exports an include root of
# its own in the build tree, holding nothing but a link named after the layer to src/<layer>. A
# target therefore finds the headers of the layers it links, directly or through those below them,
# and no others: a header of a higher layer is not found and the build stops there. (Exporting all
# of src/ as one include root would let any layer reach every other.)
function(kururie_layer layer)
    set(folder ${PROJECT_SOURCE_DIR}/src/${layer})
    set(root ${PROJECT_BINARY_DIR}/layers/${layer})
    file(MAKE_DIRECTORY ${root})
    file(CREATE_LINK ${folder} ${root}/${layer} SYMBOLIC)
    file(GLOB sources CONFIGURE_DEPENDS ${folder}/*.cpp ${folder}/*.h)
    # main() alone stays outside the libraries, so that tests run the very program it starts.
    list(FILTER sources EXCLUDE REGEX "/main\\.cpp$")
    add_library(kururie_${layer} STATIC ${sources})
    target_include_directories(kururie_${layer} PUBLIC ${root})
    set(KURURIE_LAYER_ROOT_${layer} ${root} PARENT_SCOPE)
endfunction()
