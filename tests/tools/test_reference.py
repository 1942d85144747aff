"""scripts/docs/reference.py: the reference pages rendered from the headers' ///
comments, and the check that every public method has one. The headers here are
small ones written for each case."""
import textwrap

import pytest

import reference


def header(tmp_path, text, name="Thing.h"):
    path = tmp_path / name
    path.write_text(textwrap.dedent(text).lstrip("\n"))
    return path


def headings(entries):
    return [reference.heading(e.code[0]) for e in entries]


# ---- a /// block, rendered ----

def test_a_block_renders_its_tags_as_the_reference_shows_them():
    doc = ["The line through two points.",
           "",
           "@param x1, y1  the first point.",
           "@param[out] m  the slope,",
           "        continued on the next line.",
           "@param[in,out] dXArray  the table, sorted in place.",
           "@return True when the line has a slope.",
           "@throws LibraryError FloatingPointFault when the slope faults.",
           "A paragraph after the list."]
    assert reference.render_doc(doc) == "\n".join([
        "The line through two points.",
        "",
        "- `x1, y1`: the first point.",
        "- `m` (output): the slope, continued on the next line.",
        "- `dXArray` (output): the table, sorted in place.",
        "- **Returns** True when the line has a slope.",
        "- **Throws** LibraryError FloatingPointFault when the slope faults.",
        "A paragraph after the list."])


def test_an_example_becomes_a_cpp_block_without_its_indent():
    doc = ["Text.", "@code", "  Double m = 0;", "  if (x) {", "      m = 1;", "  }", "@endcode", "After."]
    assert reference.render_doc(doc) == "Text.\n```cpp\nDouble m = 0;\nif (x) {\n    m = 1;\n}\n```\nAfter."


def test_tags_inside_an_example_stay_code():
    doc = ["@code", "  // @return is not a tag here", "  @param x  neither", "@endcode"]
    assert reference.render_doc(doc) == "```cpp\n// @return is not a tag here\n@param x  neither\n```"


def test_only_two_spaces_end_the_names_of_a_parameter():
    # One space belongs to the names (x1, y1); the text starts after two.
    assert reference.render_doc(["@param a b  text here"]) == "- `a b`: text here"


# ---- a header, parsed ----

def test_public_methods_documented_and_missing(tmp_path):
    intro, entries, missing = reference.parse(header(tmp_path, """
        // Thing: a class for the test.
        //
        // Second paragraph.
        #pragma once
        namespace tervanix {
        class Thing {
        public:
            /// Adds.
            TERVANIX_API Double Add(Double a, Double b) const;
            TERVANIX_API Double Undocumented(Double a) const;
        private:
            Double Hidden(Double a) const;
            Double value_ = 0;
        };
        }  // namespace tervanix
        """))
    assert intro == ["Thing: a class for the test.", "", "Second paragraph."]
    assert headings(entries) == ["`Add`"]
    assert entries[0].code == ["Double Add(Double a, Double b) const;"]
    assert entries[0].public_functions == 1
    assert missing == ["Double Undocumented(Double a) const;"]


def test_overloads_that_follow_without_a_blank_line_share_the_block(tmp_path):
    _, entries, missing = reference.parse(header(tmp_path, """
        class Thing {
        public:
            /// Sorts.
            TERVANIX_API void Sort(DoubleArray& a) const;
            TERVANIX_API void Sort(LongArray& a) const;

            TERVANIX_API void Sort(StringArray& a) const;
            /// Other.
            TERVANIX_API void Other() const;
            TERVANIX_API void Sort(VariantArray& a) const;
        };
        """))
    assert [e.code for e in entries] == [
        ["void Sort(DoubleArray& a) const;", "void Sort(LongArray& a) const;"],
        ["void Other() const;"]]
    assert entries[0].public_functions == 2
    # after a blank line, and after a block of another name, an overload needs its own
    assert missing == ["void Sort(StringArray& a) const;", "void Sort(VariantArray& a) const;"]


def test_a_shared_block_documents_every_name_in_it(tmp_path):
    _, entries, missing = reference.parse(header(tmp_path, """
        class Thing {
        public:
            /// @{
            /// The bounds.
            TERVANIX_API Long LBound(int d) const;
            TERVANIX_API Long UBound(int d) const;
            /// @}
            TERVANIX_API Long Count() const;
        };
        """))
    assert entries[0].code == ["Long LBound(int d) const;", "Long UBound(int d) const;"]
    assert entries[0].public_functions == 2
    assert missing == ["Long Count() const;"]


def test_a_plain_comment_ends_a_group(tmp_path):
    _, _, missing = reference.parse(header(tmp_path, """
        class Thing {
        public:
            /// Sorts.
            TERVANIX_API void Sort(DoubleArray& a) const;
            // the text arrays
            TERVANIX_API void Sort(StringArray& a) const;
        };
        """))
    assert missing == ["void Sort(StringArray& a) const;"]


def test_what_a_host_cannot_call_needs_no_comment(tmp_path):
    _, entries, missing = reference.parse(header(tmp_path, """
        namespace tervanix {
        namespace rt {
        TERVANIX_API void RaiseOutside(Long at);
        }
        class Thing {
        public:
            Thing(const Thing&) = delete;
            TERVANIX_API Thing& operator=(const Thing&) = delete;
            enum class Mode { A, B };
            using Value = double;
            friend struct Access;
        protected:
            TERVANIX_API void Step();
        private:
            struct Inner {
                TERVANIX_API void Hidden();
            };
        };
        void Free(int a);
        }
        """))
    assert missing == []
    assert entries == []


def test_a_public_free_function_needs_a_comment(tmp_path):
    _, entries, missing = reference.parse(header(tmp_path, """
        namespace tervanix {
        TERVANIX_API FalseExplanation LastFalseReason() noexcept;
        /// Documented.
        TERVANIX_API void SetMessageSink(MessageSink sink);
        namespace rt {
        /// Documented runtime functions are the reference's.
        TERVANIX_API Long Count(const Variant& v);
        }
        }
        """))
    assert missing == ["FalseExplanation LastFalseReason() noexcept;"]
    assert headings(entries) == ["`SetMessageSink`", "`Count`"]


def test_public_members_of_a_public_nested_class_need_comments(tmp_path):
    _, _, missing = reference.parse(header(tmp_path, """
        class Thing {
        public:
            struct Point {
                TERVANIX_API Double Norm() const;
            };
        };
        """))
    assert missing == ["Double Norm() const;"]


def test_a_declaration_loses_its_body_initialisers_export_and_constraints(tmp_path):
    _, entries, _ = reference.parse(header(tmp_path, """
        class Thing {
        public:
            /// Made from bounds.
            template <typename I, typename = std::enable_if_t<std::is_integral_v<I>>>
            Thing(I lower, I upper) : lower_(lower), upper_(upper) { Check(); }
            /// The size.
            TERVANIX_API Long Size() const { return upper_ - lower_ + 1; }
            /// The scope.
            TERVANIX_API std::size_t Count(std::map<int, int>::const_iterator at) const;
        };
        """))
    assert [e.code[0] for e in entries] == [
        "template <typename I> Thing(I lower, I upper);",
        "Long Size() const;",
        "std::size_t Count(std::map<int, int>::const_iterator at) const;"]


def test_a_declaration_over_several_lines_is_one_line(tmp_path):
    _, entries, _ = reference.parse(header(tmp_path, """
        class Thing {
        public:
            /// Interpolates.
            TERVANIX_API Boolean Interp2D(const DoubleArray& XValues,
                                          const DoubleArray& YValues,   // the second axis
                                          Double X, Double& Result) const;
        };
        """))
    assert entries[0].code == ["Boolean Interp2D(const DoubleArray& XValues, const DoubleArray& YValues, "
                               "Double X, Double& Result) const;"]


def test_an_enumeration_is_shown_whole_with_its_comments(tmp_path):
    _, entries, _ = reference.parse(header(tmp_path, """
        namespace tervanix {
        /// The kinds.
        enum class ErrorKind {
            OverflowError,   // a whole number beyond its range
            TypeMismatch,
        };
        }
        """))
    assert entries[0].code == ["enum class ErrorKind {\n    OverflowError,   // a whole number beyond its range\n"
                               "    TypeMismatch,\n};"]
    assert reference.heading(entries[0].code[0]) == "`ErrorKind`"


def test_a_documented_class_is_an_entry(tmp_path):
    _, entries, _ = reference.parse(header(tmp_path, """
        namespace tervanix {
        /// An error of the library.
        class TERVANIX_API LibraryError : public std::exception {
        public:
            /// The kind.
            ErrorKind kind() const noexcept;
        };
        }
        """))
    assert headings(entries) == ["`LibraryError`", "`kind`"]
    assert entries[0].code == ["class LibraryError : public std::exception"]
    assert entries[0].public_functions == 0


# ---- headings and long declarations ----

@pytest.mark.parametrize("signature, title", [
    ("Double Add(Double a, Double b) const;", "`Add`"),
    ("Thing& operator=(const Thing& other);", "`operator=`"),
    ("Double& operator()(Long i);", "`operator()`"),
    ("~Thing();", "`~Thing`"),
    ("using DoubleArray = Array<Double, 1>;", "`DoubleArray`"),
    ("enum class FalseReason : int {", "`FalseReason`"),
    ("struct TERVANIX_API Point", "`Point`"),
    ("constexpr Boolean True{-1};", "`True`"),
])
def test_the_heading_of_an_entry(signature, title):
    assert reference.heading(signature) == title


def test_a_long_declaration_is_broken_under_its_first_parameter():
    signature = ("Boolean InterpolationOf1DArray(Double dXTarget, DoubleArray& dXArray, DoubleArray& dYArray, "
                 "Long eExtrapolationType, Double& dYResult) const;")
    lines = reference.wrapped(signature).split("\n")
    assert len(lines) > 1
    assert all(len(line) <= 100 for line in lines)
    indent = " " * (signature.index("(") + 1)
    assert all(line.startswith(indent) and not line[len(indent)].isspace() for line in lines[1:])
    assert all(line.endswith(",") for line in lines[:-1])
    assert " ".join(line.strip() for line in lines) == signature
    short = "Double PI() const;"
    assert reference.wrapped(short) == short


# ---- a page, and the check ----

@pytest.fixture
def library(tmp_path, monkeypatch):
    """A library of two headers and its reference folder, in place of the project's."""
    headers = tmp_path / "calculations" / "Tervanix"
    headers.mkdir(parents=True)
    (headers / "A.h").write_text(textwrap.dedent("""
        // A: the first header.
        #pragma once
        class A {
        public:
            /// Does it.
            ///
            /// @param x  the value.
            TERVANIX_API void Do(Double x);
        };
        """).lstrip("\n"))
    (headers / "B.h").write_text("// B: the second.\n#pragma once\n/// Counted.\nTERVANIX_API Long Count();\n")
    monkeypatch.setattr(reference, "ROOT", tmp_path)
    monkeypatch.setattr(reference, "HEADERS", headers)
    monkeypatch.setattr(reference, "OUT", tmp_path / "docs" / "reference")
    monkeypatch.setattr(reference, "PAGES", {"A": ["A.h"], "Both": ["A.h", "B.h"]})
    monkeypatch.setattr("sys.argv", ["reference.py"])
    return headers


def test_a_page_of_one_header(library):
    page, missing, documented = reference.render_page("A", ["A.h"])
    assert page == textwrap.dedent("""\
        # A

        <!-- Generated by scripts/docs/reference.py from the comments in calculations/Tervanix/A.h; edit those, then run the script. -->

        A: the first header.

        ## `Do`

        ```cpp
        void Do(Double x);
        ```

        Does it.

        - `x`: the value.
        """)
    assert (missing, documented) == ([], 1)


def test_a_page_of_several_headers_has_a_section_each(library):
    page, _, documented = reference.render_page("Both", ["A.h", "B.h"])
    assert "## `<Tervanix/A.h>`" in page and "## `<Tervanix/B.h>`" in page
    assert "### `Do`" in page and "### `Count`" in page
    assert page.index("<Tervanix/A.h>") < page.index("### `Do`") < page.index("<Tervanix/B.h>") < page.index("### `Count`")
    assert documented == 2


def test_the_check_passes_on_written_pages_and_fails_on_stale_ones(library, monkeypatch, capsys):
    assert reference.main() == 0
    assert (reference.OUT / "A.md").exists() and (reference.OUT / "Both.md").exists()
    monkeypatch.setattr("sys.argv", ["reference.py", "--check"])
    assert reference.main() == 0
    text = (library / "A.h").read_text().replace("Does it.", "Does it again.")
    (library / "A.h").write_text(text)
    capsys.readouterr()
    assert reference.main() == 1
    err = capsys.readouterr().err
    assert "docs/reference/A.md is out of date" in err and "Both.md is out of date" in err
    (reference.OUT / "A.md").unlink()
    assert reference.main() == 1


def test_the_check_fails_on_a_method_without_a_comment(library, monkeypatch, capsys):
    assert reference.main() == 0
    (library / "B.h").write_text("#pragma once\n/// Counted.\nTERVANIX_API Long Count();\n\nTERVANIX_API Long More();\n")
    monkeypatch.setattr("sys.argv", ["reference.py", "--check"])
    assert reference.main() == 1
    captured = capsys.readouterr()
    assert "reference: no /// comment for B.h: Long More();" in captured.err
    assert "1 without a comment" in captured.out
