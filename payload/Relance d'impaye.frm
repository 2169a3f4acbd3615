[Formulaire]
Titre=Relance d'impayé
Table=RELANCES
Largeur=640
Hauteur=300
Police=MS Sans Serif,8

[Champ1]
Libelle=Facture
Colonne=FACTURE
Type=Lien:FACTURES
Longueur=8
Gauche=150
Haut=16

[Champ2]
Libelle=Date de relance
Colonne=DATE
Type=Date
Longueur=10
Gauche=150
Haut=52

[Champ3]
Libelle=Niveau
Colonne=NIVEAU
Type=Boutons:1|2|3
Gauche=150
Haut=88

[Champ4]
Libelle=Montant dû
Colonne=MONTANT
Type=Monnaie
Longueur=12
Gauche=150
Haut=124

[Champ5]
Libelle=Texte de la lettre
Colonne=TEXTE
Type=Mémo
Gauche=150
Haut=160

[Boutons]
Valider=&Enregistrer
Annuler=&Fermer
