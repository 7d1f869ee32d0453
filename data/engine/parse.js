// parse.js: draws the phrase trees of a sample-tree page (zintra sample-tree).
//
// The page keeps its trees in the hidden element "content": for every
// template file an <I> element with the file's path; for every sample the
// bracketed tree as a comment ("<!-- (S (NP ...) ...) -->") followed by the
// same tree as nested blocks (<div><span>SYMBOL</span>parts</div>, a word as
// <P><B>word</B></P>). A <U> element after a sample holds either the
// reference tree that the sample's tree differs from ("<!-- (S ...) -->") or,
// when the sample got no tree, the sample's flat output.
//
// This script reads all of that and draws every tree into the element
// "treeView" as SVG: a box for each phrase and tag, a line from each phrase
// to its parts, the words in a row below. Where a reference tree is given it
// is drawn under the sample's tree, and the phrases and tags of each that the
// other lacks are coloured. Plain JavaScript without libraries; it also
// loads under node, where it only exports its functions (for the tests).
(function () {
    'use strict';

    var ELEMENT = 1, TEXT = 3, COMMENT = 8;

    // ---- Trees ----------------------------------------------------------
    // A tree node is {label, word, children}: a tag with its word is a leaf
    // (word set, no children); a word without a tag is a leaf whose label is
    // ''; a phrase has children and no word. A root whose label is '' only
    // groups its children (the printed tree had several top parts).

    function leaf(label, word) {
        return { label: label, word: word, children: [] };
    }

    function phrase(label, children) {
        return { label: label, word: null, children: children };
    }

    function isLeaf(node) {
        return node.word !== null;
    }

    // The bracketed form: "(S (NP (PRP I)) (VP (VBP am)))", optionally inside
    // "<!--" and "-->". Null when the brackets do not balance.
    function readBracketTree(text) {
        var body = String(text).trim();
        if (body.indexOf('<!--') === 0) body = body.substring(4);
        var end = body.lastIndexOf('-->');
        if (end >= 0) body = body.substring(0, end);
        var tokens = body.match(/\(|\)|[^\s()]+/g) || [];
        var pos = 0;

        function readItems(closed) {
            var items = [];
            while (pos < tokens.length) {
                var t = tokens[pos];
                if (t === ')') {
                    if (!closed) return null;
                    return items;
                }
                if (t === '(') {
                    ++pos;
                    var label = tokens[pos];
                    if (label === undefined || label === '(' || label === ')') return null;
                    ++pos;
                    var parts = readItems(true);
                    if (parts === null || tokens[pos] !== ')') return null;
                    ++pos;
                    items.push(bracketNode(label, parts));
                } else {
                    items.push(t);
                    ++pos;
                }
            }
            return closed ? null : items;
        }

        function bracketNode(label, parts) {
            var allWords = parts.length > 0;
            for (var i = 0; i < parts.length; ++i) allWords = allWords && typeof parts[i] === 'string';
            if (allWords) return leaf(label, parts.join(' '));
            return phrase(label, parts.map(function (p) { return typeof p === 'string' ? leaf('', p) : p; }));
        }

        var top = readItems(false);
        if (top === null || top.length === 0) return null;
        top = top.map(function (p) { return typeof p === 'string' ? leaf('', p) : p; });
        return top.length === 1 ? top[0] : phrase('', top);
    }

    function childElements(node) {
        var out = [];
        var kids = node.childNodes || [];
        for (var i = 0; i < kids.length; ++i) {
            if (kids[i].nodeType === ELEMENT) out.push(kids[i]);
        }
        return out;
    }

    function tagName(element) {
        return String(element.tagName || element.nodeName || '').toUpperCase();
    }

    // The word of a <P> block: the text of its <B> (corrections around the
    // word are not part of it), else all its text.
    function wordOf(p) {
        var kids = childElements(p);
        for (var i = 0; i < kids.length; ++i) {
            if (tagName(kids[i]) === 'B') return kids[i].textContent.trim();
        }
        return p.textContent.trim();
    }

    // The block form: a <div> whose first element is the <span> with the
    // symbol, then the parts (<div> blocks, or the <P> of a word).
    function readBlockTree(div) {
        var kids = childElements(div);
        var label = '';
        var first = 0;
        if (kids.length > 0 && tagName(kids[0]) === 'SPAN') {
            label = kids[0].textContent.trim();
            first = 1;
        }
        var parts = [];
        var words = [];
        for (var i = first; i < kids.length; ++i) {
            var name = tagName(kids[i]);
            if (name === 'DIV') {
                parts.push(readBlockTree(kids[i]));
            } else if (name === 'P') {
                words.push(wordOf(kids[i]));
                parts.push(leaf('', wordOf(kids[i])));
            }
        }
        if (words.length === 1 && parts.length === 1) return leaf(label, words[0]);
        return phrase(label, parts);
    }

    // ---- The page ---------------------------------------------------------
    // The children of the content element, in order, as
    // [{path, samples: [{tree, bracket, reference, referenceText, noTree}]}].
    // A sample's blocks follow its comment; a tree whose root symbol is not
    // printed has several top blocks, so blocks are taken until they hold
    // the words of the comment's tree. A sample without a comment (no tree)
    // is one block.
    function readPage(content) {
        var files = [];
        var file = null;
        var sample = null;
        var bracket = null;
        var wanted = 0;
        var kids = content.childNodes || [];

        function currentFile() {
            if (!file) {
                file = { path: '', samples: [] };
                files.push(file);
            }
            return file;
        }

        function addBlock(tree) {
            if (sample && sample.words < sample.wanted) {
                if (sample.blocks === 1) sample.tree = phrase('', [sample.tree]);
                sample.tree.children.push(tree);
                sample.blocks += 1;
                sample.words += wordsOf(tree).length;
                return;
            }
            sample = {
                tree: tree,
                bracket: bracket,
                reference: null,
                referenceText: null,
                noTree: bracket === null,
                wanted: wanted,
                words: wordsOf(tree).length,
                blocks: 1
            };
            bracket = null;
            wanted = 0;
            currentFile().samples.push(sample);
        }

        for (var i = 0; i < kids.length; ++i) {
            var node = kids[i];
            if (node.nodeType === COMMENT) {
                bracket = String(node.data).trim();
                var parsed = readBracketTree(bracket);
                wanted = parsed ? wordsOf(parsed).length : 0;
                sample = null;
                continue;
            }
            if (node.nodeType !== ELEMENT) continue;
            var name = tagName(node);
            if (name === 'I') {
                file = { path: node.textContent.trim(), samples: [] };
                files.push(file);
                sample = null;
            } else if (name === 'DIV') {
                addBlock(readBlockTree(node));
            } else if (name === 'P') {
                addBlock(leaf('', wordOf(node)));
            } else if (name === 'U' && sample) {
                var text = node.textContent.trim();
                if (text.indexOf('<!--') === 0) {
                    sample.referenceText = text;
                    sample.reference = readBracketTree(text);
                } else {
                    sample.noTree = true;
                }
                sample.wanted = 0;
            }
        }
        for (var f = 0; f < files.length; ++f) {
            for (var s = 0; s < files[f].samples.length; ++s) {
                var done = files[f].samples[s];
                delete done.wanted;
                delete done.words;
                delete done.blocks;
            }
        }
        return files;
    }

    // ---- Differences ------------------------------------------------------
    // Each node is known by its label and the words it covers (a leaf also by
    // its word); a node of one tree that the other has no unused match for
    // is marked "differs".
    function keyNodes(tree) {
        var nodes = [];
        var position = 0;
        (function walk(node) {
            var start = position;
            if (isLeaf(node)) {
                ++position;
                node.key = node.label + ' ' + start + ' ' + node.word;
            } else {
                for (var i = 0; i < node.children.length; ++i) walk(node.children[i]);
                node.key = node.label + ' ' + start + '-' + position;
            }
            if (node.label !== '' || isLeaf(node)) nodes.push(node);
        })(tree);
        return nodes;
    }

    function markAgainst(nodes, others) {
        var count = {};
        var i;
        for (i = 0; i < others.length; ++i) count[others[i].key] = (count[others[i].key] || 0) + 1;
        var differing = 0;
        for (i = 0; i < nodes.length; ++i) {
            var k = nodes[i].key;
            nodes[i].differs = !(count[k] > 0);
            if (nodes[i].differs) ++differing;
            else --count[k];
        }
        return differing;
    }

    // Marks the nodes of both trees; returns the number of differing nodes
    // of each.
    function markDifferences(tree, reference) {
        var a = keyNodes(tree), b = keyNodes(reference);
        return { tree: markAgainst(a, b), reference: markAgainst(b, a) };
    }

    function wordsOf(tree) {
        var words = [];
        (function walk(node) {
            if (isLeaf(node)) words.push(node.word);
            else for (var i = 0; i < node.children.length; ++i) walk(node.children[i]);
        })(tree);
        return words;
    }

    // ---- Layout -------------------------------------------------------------
    var PAD = 5, GAP = 10, ROW = 40, BOX = 20, MARGIN = 10;

    // Places every node: x (centre), depth; leaves also wordWidth. Returns
    // {width, depth}: the drawing's width and its deepest level. measure(s)
    // gives the width of a text in pixels.
    function layoutTree(tree, measure) {
        var deepest = 0;

        function boxWidth(text) {
            return text === '' ? 0 : measure(text) + 2 * PAD;
        }

        function shift(node, dx) {
            node.x += dx;
            for (var i = 0; i < node.children.length; ++i) shift(node.children[i], dx);
        }

        function place(node, depth, left) {
            node.depth = depth;
            if (depth > deepest) deepest = depth;
            var labelWidth = boxWidth(node.label);
            if (isLeaf(node)) {
                node.wordWidth = boxWidth(node.word);
                var w = Math.max(labelWidth, node.wordWidth);
                node.x = left + w / 2;
                return left + w;
            }
            var right = left;
            for (var i = 0; i < node.children.length; ++i) {
                if (i > 0) right += GAP;
                right = place(node.children[i], depth + 1, right);
            }
            var span = right - left;
            if (span < labelWidth) {
                for (var j = 0; j < node.children.length; ++j) shift(node.children[j], (labelWidth - span) / 2);
                right = left + labelWidth;
            }
            var kids = node.children;
            node.x = kids.length ? (kids[0].x + kids[kids.length - 1].x) / 2 : left + labelWidth / 2;
            return right;
        }

        var width = place(tree, 0, MARGIN) + MARGIN;
        return { width: width, depth: deepest };
    }

    // ---- Drawing ------------------------------------------------------------
    var SVG = 'http://www.w3.org/2000/svg';

    function svgElement(doc, name, attributes) {
        var e = doc.createElementNS(SVG, name);
        for (var k in attributes) {
            if (Object.prototype.hasOwnProperty.call(attributes, k)) e.setAttribute(k, attributes[k]);
        }
        return e;
    }

    function boxClass(node, kind) {
        return kind + (node.differs ? ' differs' : '');
    }

    // An SVG drawing of a tree; kind is "sample" or "reference" (its colours).
    function drawTree(doc, tree, kind, measure) {
        var size = layoutTree(tree, measure);
        var wordRow = size.depth + 1;
        var height = wordRow * ROW + BOX + 2 * MARGIN;
        var svg = svgElement(doc, 'svg', {
            width: Math.ceil(size.width), height: height, 'class': 'tree ' + kind
        });
        var lines = svgElement(doc, 'g', { 'class': 'lines' });
        var boxes = svgElement(doc, 'g', { 'class': 'boxes' });
        svg.appendChild(lines);
        svg.appendChild(boxes);

        function top(depth) { return MARGIN + depth * ROW; }

        function line(x1, y1, x2, y2, cls) {
            lines.appendChild(svgElement(doc, 'line', { x1: x1, y1: y1, x2: x2, y2: y2, 'class': cls }));
        }

        function box(x, depth, width, text, cls) {
            var y = top(depth);
            boxes.appendChild(svgElement(doc, 'rect', {
                x: x - width / 2, y: y, width: width, height: BOX, rx: 4, 'class': cls
            }));
            var t = svgElement(doc, 'text', { x: x, y: y + BOX - 6, 'class': cls });
            t.appendChild(doc.createTextNode(text));
            boxes.appendChild(t);
        }

        (function draw(node) {
            var labelled = node.label !== '';
            if (isLeaf(node)) {
                if (labelled) {
                    box(node.x, node.depth, measure(node.label) + 2 * PAD, node.label, boxClass(node, kind + ' tag'));
                    line(node.x, top(node.depth) + BOX, node.x, top(wordRow), 'toword');
                }
                box(node.x, wordRow, node.wordWidth, node.word, boxClass(node, kind + ' word'));
                return;
            }
            if (labelled) {
                box(node.x, node.depth, measure(node.label) + 2 * PAD, node.label, boxClass(node, kind + ' phrase'));
            }
            for (var i = 0; i < node.children.length; ++i) {
                var child = node.children[i];
                if (labelled) {
                    var childTop = isLeaf(child) && child.label === '' ? top(wordRow) : top(child.depth);
                    line(node.x, top(node.depth) + BOX, child.x, childTop, 'branch');
                }
                draw(child);
            }
        })(tree);
        return svg;
    }

    var STYLE =
        '#treeView{font-family:sans-serif;font-size:14px}' +
        '#treeView h3{font-size:15px;margin:14px 0 4px;border-bottom:1px solid #999}' +
        '#treeView .sample{margin:6px 0 14px 12px}' +
        '#treeView .sentence{font-weight:bold}' +
        '#treeView .note{color:#b00000;margin-left:8px}' +
        '#treeView .caption{font-size:12px;color:#2050a0;margin-top:2px}' +
        '#treeView code{display:block;font-size:11px;color:#555;white-space:pre-wrap;max-width:640px}' +
        '#treeView .row{display:flex;flex-wrap:wrap;align-items:flex-start}' +
        '#treeView .column{margin-right:40px}' +
        '#treeView .empty{color:#888;font-size:12px;margin-left:12px}' +
        '#treeView .legend span{padding:1px 6px;margin-right:8px;border:1px solid}' +
        'svg.tree{display:block}' +
        'svg.tree text{font-family:monospace;font-size:13px;text-anchor:middle}' +
        'svg.tree line.branch{stroke:#555;stroke-width:1}' +
        'svg.tree line.toword{stroke:#aaa;stroke-dasharray:2,2}' +
        'svg.tree rect.sample{fill:#eef3ea;stroke:#4a7a3a}' +
        'svg.tree rect.reference{fill:#eaf0fb;stroke:#2050a0}' +
        'svg.tree rect.word{fill:#ffffff;stroke:#ccc}' +
        'svg.tree rect.sample.differs{fill:#ffd0d0;stroke:#c00000;stroke-width:2}' +
        'svg.tree rect.reference.differs{fill:#ffe9a8;stroke:#b07000;stroke-width:2}' +
        'svg.tree text.differs{font-weight:bold}' +
        '.legend .l-sample{background:#ffd0d0;border-color:#c00000}' +
        '.legend .l-reference{background:#ffe9a8;border-color:#b07000}';

    function element(doc, name, cls, text) {
        var e = doc.createElement(name);
        if (cls) e.className = cls;
        if (text !== undefined) e.appendChild(doc.createTextNode(text));
        return e;
    }

    function textMeasure(doc) {
        var canvas = doc.createElement('canvas');
        var context = canvas.getContext && canvas.getContext('2d');
        if (!context) return function (s) { return s.length * 8; };
        context.font = '13px monospace';
        return function (s) { return Math.ceil(context.measureText(s).width); };
    }

    function drawPage(doc) {
        var content = doc.getElementById('content');
        var view = doc.getElementById('treeView');
        if (!content || !view) return;
        var style = doc.createElement('style');
        style.appendChild(doc.createTextNode(STYLE));
        (doc.head || doc.getElementsByTagName('head')[0] || doc.body).appendChild(style);

        var measure = textMeasure(doc);
        var files = readPage(content);
        var samples = 0, differing = 0, failed = 0;
        var legend = element(doc, 'div', 'legend');
        view.appendChild(legend);
        for (var f = 0; f < files.length; ++f) {
            view.appendChild(element(doc, 'h3', '', files[f].path));
            for (var s = 0; s < files[f].samples.length; ++s) {
                var sample = files[f].samples[s];
                ++samples;
                var block = element(doc, 'div', 'sample');
                var words = wordsOf(sample.tree);
                if (words.length === 0) {
                    // "<div></div>": the engine had no phrase grammar to parse with.
                    ++failed;
                    block.appendChild(element(doc, 'span', 'note', 'an empty tree: no phrase grammar (GRAMMAR_FILE)?'));
                    view.appendChild(block);
                    continue;
                }
                block.appendChild(element(doc, 'span', 'sentence', words.join(' ')));
                if (sample.noTree) {
                    ++failed;
                    block.appendChild(element(doc, 'span', 'note', 'no phrase tree: the grammar did not parse this sample'));
                }
                if (sample.reference) {
                    var counts = markDifferences(sample.tree, sample.reference);
                    ++differing;
                    block.appendChild(element(doc, 'span', 'note', 'differs from the reference: ' + counts.tree +
                        ' part(s) here, ' + counts.reference + ' part(s) there'));
                }
                // The sample's tree, and the reference beside it.
                var row = element(doc, 'div', 'row');
                var mine = element(doc, 'div', 'column');
                if (sample.referenceText) mine.appendChild(element(doc, 'div', 'caption', 'this sample'));
                mine.appendChild(drawTree(doc, sample.tree, 'sample', measure));
                if (sample.bracket) mine.appendChild(element(doc, 'code', '', '<!-- ' + sample.bracket + ' -->'));
                row.appendChild(mine);
                if (sample.referenceText) {
                    var theirs = element(doc, 'div', 'column');
                    theirs.appendChild(element(doc, 'div', 'caption',
                        sample.reference ? 'reference' : 'reference (not readable as a tree)'));
                    if (sample.reference) theirs.appendChild(drawTree(doc, sample.reference, 'reference', measure));
                    theirs.appendChild(element(doc, 'code', '', sample.referenceText));
                    row.appendChild(theirs);
                }
                block.appendChild(row);
                view.appendChild(block);
            }
            if (files[f].samples.length === 0) view.appendChild(element(doc, 'div', 'empty', 'no samples'));
        }
        legend.appendChild(element(doc, 'b', '', samples + ' samples in ' + files.length + ' files; ' + differing +
            ' differ from their reference, ' + failed + ' without a tree. '));
        legend.appendChild(element(doc, 'span', 'l-sample', 'not in the reference'));
        legend.appendChild(element(doc, 'span', 'l-reference', 'reference only'));
    }

    var api = {
        readBracketTree: readBracketTree,
        readBlockTree: readBlockTree,
        readPage: readPage,
        markDifferences: markDifferences,
        layoutTree: layoutTree,
        wordsOf: wordsOf
    };

    if (typeof module === 'object' && module.exports) {
        module.exports = api;
    } else if (typeof document !== 'undefined') {
        if (document.readyState === 'loading') {
            document.addEventListener('DOMContentLoaded', function () { drawPage(document); });
        } else {
            drawPage(document);
        }
    }
})();
